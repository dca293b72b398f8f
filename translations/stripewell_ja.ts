<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP" sourcelanguage="en">
<context>
    <name>pipeline</name>
    <message>
        <source>the name is %1 characters long; only its first %2 are used</source>
        <translation>名称が %1 文字あります。最初の %2 文字だけを使います。</translation>
    </message>
    <message>
        <source>no tab or comma between the name and the digits</source>
        <translation>名称と数字の間にタブもコンマもありません。</translation>
    </message>
    <message>
        <source>no tab between the name and the digits</source>
        <translation>名称と数字の間にタブがありません。</translation>
    </message>
    <message>
        <source>no comma between the name and the digits</source>
        <translation>名称と数字の間にコンマがありません。</translation>
    </message>
    <message>
        <source>no semicolon between the name and the digits</source>
        <translation>名称と数字の間にセミコロンがありません。</translation>
    </message>
    <message>
        <source>no %1 between the name and the digits</source>
        <translation>名称と数字の間に %1 がありません。</translation>
    </message>
    <message>
        <source>not valid UTF-8 text</source>
        <translation>正しい UTF-8 のテキストではありません。</translation>
    </message>
    <message>
        <source>no field of the first line is called %1</source>
        <translation>1 行目に「%1」という項目がありません。</translation>
    </message>
    <message>
        <source>the header names more than one price with tax (売価, 税込価格, 価格): keep one</source>
        <translation>見出し行に税込価格の列 (売価, 税込価格, 価格) が複数あります。1 つにしてください。</translation>
    </message>
    <message>
        <source>the header names more than one price without tax (税抜価格, 本体価格): keep one</source>
        <translation>見出し行に税抜価格の列 (税抜価格, 本体価格) が複数あります。1 つにしてください。</translation>
    </message>
    <message>
        <source>the header names prices but no column of codes (JANコード, JAN, コード) nor of in-store item numbers (品番, 商品コード): give --code-column N</source>
        <translation>見出し行に価格の列はありますが、コードの列 (JANコード, JAN, コード) もインストアコードの品番の列 (品番, 商品コード) もありません。--code-column N を指定してください。</translation>
    </message>
    <message>
        <source>the header names no name column (名称, 商品名, 品名, name, product): give --name-column N</source>
        <translation>見出し行に名称の列 (名称, 商品名, 品名, name, product) がありません。--name-column N を指定してください。</translation>
    </message>
    <message>
        <source>%1 fields, and none is named as the code: give --code-column N (its field, from 1) and --name-column N, or a header line (JAN, 商品名)</source>
        <translation>項目が %1 個あり、どれがコードかわかりません。--code-column N (1 から数えた項目の番号) と --name-column N を指定するか、見出し行 (JAN, 商品名) を付けてください。</translation>
    </message>
    <message>
        <source>%1 fields; the code is in field %2</source>
        <translation>項目が %1 個しかありません。コードは %2 番目の項目です。</translation>
    </message>
    <message>
        <source>%1 (the list has a book&apos;s columns: --symbol book draws book JAN pairs)</source>
        <translation>%1 (この一覧には書籍の列があります。書籍JANコード (2段) は --symbol book で作ります。)</translation>
    </message>
    <message>
        <source>a book needs its classification code and price: the list&apos;s header names no column Cコード (or 分類コード) and 本体価格 (or 価格)</source>
        <translation>書籍には Cコードと本体価格が必要ですが、一覧の見出し行に Cコード (または 分類コード) と 本体価格 (または 価格) の列がありません。</translation>
    </message>
    <message>
        <source>a book needs its classification code and price: the list&apos;s header names no column Cコード (or 分類コード)</source>
        <translation>書籍には Cコードと本体価格が必要ですが、一覧の見出し行に Cコード (または 分類コード) の列がありません。</translation>
    </message>
    <message>
        <source>a book needs its classification code and price: the list&apos;s header names no column 本体価格 (or 価格)</source>
        <translation>書籍には Cコードと本体価格が必要ですが、一覧の見出し行に 本体価格 (または 価格) の列がありません。</translation>
    </message>
    <message>
        <source>%1: a book needs --classification (C0095) and --price (yen before tax) with its ISBN</source>
        <translation>%1: 書籍には ISBN とともに --classification (C0095 など) と --price (税抜の円) が必要です。</translation>
    </message>
    <message>
        <source>a device</source>
        <translation>デバイス</translation>
    </message>
    <message>
        <source>a fifo</source>
        <translation>FIFO (名前付きパイプ)</translation>
    </message>
    <message>
        <source>a socket</source>
        <translation>ソケット</translation>
    </message>
    <message>
        <source>cannot open the folder %1: %2</source>
        <translation>フォルダー %1 を開けません (%2)。</translation>
    </message>
    <message>
        <source>the standard input</source>
        <translation>標準入力</translation>
    </message>
    <message>
        <source>the standard output</source>
        <translation>標準出力</translation>
    </message>
    <message>
        <source>the standard error</source>
        <translation>標準エラー出力</translation>
    </message>
    <message>
        <source>cannot write %1: %2</source>
        <translation>%1 に書き込めません (%2)。</translation>
    </message>
    <message>
        <source>%1 already exists; give --force to replace it</source>
        <translation>%1 はすでにあります。上書きするには --force を指定してください。</translation>
    </message>
    <message>
        <source>%1 is a folder, not a file</source>
        <translation>%1 はフォルダーで、ファイルではありません。</translation>
    </message>
    <message>
        <source>%1 is %2, not a file; it is never replaced</source>
        <translation>%1 は%2で、ファイルではありません。上書きすることはありません。</translation>
    </message>
    <message>
        <source>%1 is %2; it is never replaced</source>
        <translation>%1 は%2です。上書きすることはありません。</translation>
    </message>
    <message>
        <source>%1 is read-only; it is not replaced, even with --force</source>
        <translation>%1 は読み取り専用です。--force を指定しても上書きしません。</translation>
    </message>
    <message>
        <source>cannot write into the folder %1: %2</source>
        <translation>フォルダー %1 に書き込めません (%2)。</translation>
    </message>
    <message>
        <source>cannot make the files in %1 safe on disk: %2</source>
        <translation>%1 のファイルをディスクに確実に書き込めません (%2)。</translation>
    </message>
    <message>
        <source>one symbol on the page</source>
        <translation>用紙1枚に1つの記号</translation>
    </message>
    <message>
        <source>a tag needs its price: a column 売価, 税込価格 or 価格 (with tax), or 税抜価格 or 本体価格 (without)</source>
        <translation>値札には価格が必要です。売価、税込価格、価格 (税込) か、税抜価格、本体価格 (税抜) の列を付けてください。</translation>
    </message>
    <message>
        <source>the price is empty</source>
        <translation>価格が空です。</translation>
    </message>
    <message>
        <source>税込 %1 is 税抜 %2 at %3 %, not %4</source>
        <translation>税率 %3 % では税込 %1 は税抜 %2 で、%4 ではありません。</translation>
    </message>
    <message>
        <source>an in-store code %1 needs the item number (品番 or 商品コード)</source>
        <translation>インストアコード %1 には品番 (品番 または 商品コード) が必要です。</translation>
    </message>
    <message>
        <source>%1 is not an in-store code %2, which begins with 02 or 20 to 29</source>
        <translation>%1 はインストアコード %2 ではありません。%2 は 02 または 20 から 29 で始まります。</translation>
    </message>
    <message>
        <source>%1 is not an in-store code %2, which begins with 20 to 29</source>
        <translation>%1 はインストアコード %2 ではありません。%2 は 20 から 29 で始まります。</translation>
    </message>
    <message>
        <source>the code %1 does not hold the item number %2</source>
        <translation>コード %1 に品番 %2 が含まれていません。</translation>
    </message>
    <message>
        <source>the price check digit of %1 does not hold</source>
        <translation>%1 の価格チェックデジットが合いません。</translation>
    </message>
    <message>
        <source>the price inside the code, %1, is not the tag&apos;s %2</source>
        <translation>コードの中の価格 %1 が値札の価格 %2 と違います。</translation>
    </message>
    <message>
        <source>&quot;Lists from a spreadsheet&quot; in the README</source>
        <translation>README の「Lists from a spreadsheet」</translation>
    </message>
    <message>
        <source>%1: a spreadsheet turned this code into a number and wrote it in exponent form; its last digits are lost and cannot be told: keep the code column as text in the spreadsheet (see %2) and export the list again</source>
        <translation>「%1」: 表計算ソフトがこのコードを数値に変え、指数形式で書き出しました。末尾の桁が失われていて、元に戻せません。表計算ソフトでコードの列を文字列のままにして (%2 を参照)、一覧を書き出し直してください。</translation>
    </message>
    <message>
        <source>%1: 11 digits: a spreadsheet probably dropped leading zeros. With them the code is %2; keep the code column as text in the spreadsheet (see %3) and export the list again, or write them in</source>
        <translation>「%1」: 11 桁です。表計算ソフトが先頭の 0 を落としたと思われます。0 を補うとコードは %2 です。表計算ソフトでコードの列を文字列のままにして (%3 を参照) 一覧を書き出し直すか、0 を書き足してください。</translation>
    </message>
    <message>
        <source>%1: 11 digits: a spreadsheet probably dropped leading zeros. With them the code is %2 (check digit added); keep the code column as text in the spreadsheet (see %3) and export the list again, or write them in</source>
        <translation>「%1」: 11 桁です。表計算ソフトが先頭の 0 を落としたと思われます。0 を補うとコードは %2 (チェックデジットを付加) です。表計算ソフトでコードの列を文字列のままにして (%3 を参照) 一覧を書き出し直すか、0 を書き足してください。</translation>
    </message>
    <message>
        <source>%1: 12 digits, and with a leading 0 they are the valid code %2: a spreadsheet probably dropped the zero. Write %2; or, if these are the 12 digits without their check digit, all 13: %3</source>
        <translation>「%1」: 12 桁で、先頭に 0 を付けると正しいコード %2 になります。表計算ソフトが 0 を落としたと思われます。%2 と書いてください。チェックデジットを除いた 12 桁のつもりなら、13 桁すべてを %3 と書いてください。</translation>
    </message>
    <message>
        <source>ends inside a character of %1</source>
        <translation>%1 の文字の途中で終わっています</translation>
    </message>
    <message>
        <source>byte %1 (0x%2) is not valid %3</source>
        <translation>%1 バイト目 (0x%2) は %3 として正しくありません</translation>
    </message>
    <message>
        <source>cannot keep standard input in a temporary file: %1</source>
        <translation>標準入力を一時ファイルに保存できません (%1)。</translation>
    </message>
    <message>
        <source>cannot read it: %1</source>
        <translation>読み取れません (%1)。</translation>
    </message>
    <message>
        <source>its byte order mark says %1, but the text after it is not %1 (it holds zero bytes, as UTF-16 does); give --encoding NAME to read it as what it is</source>
        <translation>バイト順マークは %1 を示していますが、その後のテキストは %1 ではありません (UTF-16 のようにゼロのバイトを含んでいます)。実際の文字コードで読むには --encoding NAME を指定してください。</translation>
    </message>
    <message>
        <source>its byte order mark says %1, but the text after it is not %1 (it holds no zero byte, as UTF-16 text does); give --encoding NAME to read it as what it is</source>
        <translation>バイト順マークは %1 を示していますが、その後のテキストは %1 ではありません (UTF-16 のテキストなら含むゼロのバイトがありません)。実際の文字コードで読むには --encoding NAME を指定してください。</translation>
    </message>
    <message>
        <source>holds a header line and no line after it; nothing written</source>
        <translation>は見出し行だけで、その後に行がありません。何も書き込んでいません。</translation>
    </message>
    <message>
        <source>holds no line to write; nothing written</source>
        <translation>には書き込む行がありません。何も書き込んでいません。</translation>
    </message>
    <message>
        <source>it holds zero bytes, as UTF-16 without a byte order mark does; give --encoding UTF-16LE or UTF-16BE</source>
        <translation>バイト順マークのない UTF-16 のようにゼロのバイトを含んでいます。--encoding UTF-16LE または UTF-16BE を指定してください。</translation>
    </message>
    <message>
        <source>%1; and in line %2, %3: the list is neither UTF-8 nor Shift_JIS, and none of it is read. Give --encoding NAME (UTF-8, UTF-16LE, UTF-16BE, Shift_JIS) to read it as one; each line that is not is then refused</source>
        <translation>%1。また %2 行目では %3。この一覧は UTF-8 でも Shift_JIS でもないため、まったく読み込んでいません。どちらかとして読むには --encoding NAME (UTF-8, UTF-16LE, UTF-16BE, Shift_JIS) を指定してください。その文字コードで読めない行は受け付けません。</translation>
    </message>
    <message>
        <source>longer than %1 bytes</source>
        <translation>%1 バイトより長い行です</translation>
    </message>
    <message>
        <source>reading stopped after line %1: %2</source>
        <translation>%1 行目の後で読み取りが止まりました (%2)。</translation>
    </message>
    <message>
        <source>a quote opened on this line is not closed: lines %1 to %2 were read as one field</source>
        <translation>この行で開いた引用符が閉じていません。%1 行目から %2 行目までを 1 つの項目として読みました。</translation>
    </message>
    <message>
        <source>line %1: %2</source>
        <translation>%1 行目: %2</translation>
    </message>
    <message>
        <source>cannot write to the standard output: %1</source>
        <translation>標準出力に書き込めません (%1)。</translation>
    </message>
    <message>
        <source>%1 % is not a tax rate: 10 or 8</source>
        <translation>%1 % は税率ではありません。税率は 10 または 8 です。</translation>
    </message>
    <message>
        <source>%1 is over the largest price a tag shows, %2</source>
        <translation>%1 は値札に表示できる最高価格 %2 を超えています。</translation>
    </message>
    <message>
        <source>%1 with %2 % tax comes to %3, over the largest price a tag shows, %4</source>
        <translation>%1 に税 %2 % を加えると %3 になり、値札に表示できる最高価格 %4 を超えます。</translation>
    </message>
    <message>
        <source>no price</source>
        <translation>価格がありません。</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a price in whole yen</source>
        <translation>「%1」は円単位の価格ではありません。</translation>
    </message>
    <message>
        <source>the price %1 is over the largest a tag shows, %2</source>
        <translation>価格 %1 は値札に表示できる最高価格 %2 を超えています。</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a tax rate: 10 or 8 (標準 or 軽減)</source>
        <translation>「%1」は税率ではありません。税率は 10 または 8 (標準 または 軽減) です。</translation>
    </message>
    <message>
        <source>a folder</source>
        <translation>フォルダー</translation>
    </message>
    <message>
        <source>%1  %2 labels (%3 x %4), %5</source>
        <translation>%1  %2 面 (%3 列 x %4 行)、%5</translation>
    </message>
    <message>
        <source>columns and rows must be at least 1</source>
        <translation>columns と rows は 1 以上にしてください。</translation>
    </message>
    <message>
        <source>the label&apos;s width and height must be more than 0 mm</source>
        <translation>ラベルの幅と高さは 0 mm より大きくしてください。</translation>
    </message>
    <message>
        <source>pitch-x %1 mm is less than the label&apos;s width %2 mm: the labels overlap</source>
        <translation>pitch-x %1 mm がラベルの幅 %2 mm より小さく、ラベルが重なります。</translation>
    </message>
    <message>
        <source>pitch-y %1 mm is less than the label&apos;s height %2 mm: the labels overlap</source>
        <translation>pitch-y %1 mm がラベルの高さ %2 mm より小さく、ラベルが重なります。</translation>
    </message>
    <message>
        <source>the labels reach %1 mm from the left, beyond the page&apos;s width of 210 mm</source>
        <translation>ラベルが左端から %1 mm まで届き、用紙の幅 210 mm を超えています。</translation>
    </message>
    <message>
        <source>the labels reach %1 mm from the top, beyond the page&apos;s height of 297 mm</source>
        <translation>ラベルが上端から %1 mm まで届き、用紙の高さ 297 mm を超えています。</translation>
    </message>
    <message>
        <source>from %1</source>
        <translation>%1 の設定</translation>
    </message>
    <message>
        <source>not of the form key = value</source>
        <translation>「キー = 値」の形ではありません。</translation>
    </message>
    <message>
        <source>unknown key %1</source>
        <translation>不明なキー %1 です。</translation>
    </message>
    <message>
        <source>%1 is given twice</source>
        <translation>%1 が 2 回指定されています。</translation>
    </message>
    <message>
        <source>%1 must be a whole number from 1 to %2, not %3</source>
        <translation>%1 は 1 から %2 までの整数にしてください。%3 は使えません。</translation>
    </message>
    <message>
        <source>%1 must be a length in millimetres such as 12.5, at most %2, not %3</source>
        <translation>%1 は 12.5 のようなミリメートル単位の長さで、%2 以下にしてください。%3 は使えません。</translation>
    </message>
    <message>
        <source>%1 is missing</source>
        <translation>%1 がありません。</translation>
    </message>
    <message>
        <source>cannot read the sheet file %1: %2</source>
        <translation>ラベル用紙ファイル %1 を読み取れません: %2</translation>
    </message>
    <message>
        <source>it is %1; a sheet file is a small text file</source>
        <translation>%1です。ラベル用紙ファイルは小さなテキストファイルです。</translation>
    </message>
    <message>
        <source>it is longer than %1 KiB; a sheet file holds a few lines</source>
        <translation>%1 KiB より大きなファイルです。ラベル用紙ファイルは数行だけのものです。</translation>
    </message>
    <message>
        <source>it holds zero bytes, as UTF-16 does; save it as UTF-8 text</source>
        <translation>UTF-16 のようにゼロのバイトを含んでいます。UTF-8 のテキストとして保存してください。</translation>
    </message>
    <message>
        <source>(standard input)</source>
        <translation>(標準入力)</translation>
    </message>
    <message>
        <source>a tag needs its price</source>
        <translation>値札には価格が必要です。</translation>
    </message>
    <message>
        <source>with its add-on the symbol is too wide for the tag</source>
        <translation>アドオンを付けると記号が値札に収まりません。</translation>
    </message>
    <message>
        <source>the bar width reduction leaves bars narrower than half a module</source>
        <translation>バー幅補正でバーがモジュール幅の半分より細くなります。</translation>
    </message>
    <message>
        <source>the tag could not be drawn</source>
        <translation>値札を描けませんでした。</translation>
    </message>
    <message>
        <source>the PDF file could not be made</source>
        <translation>PDF ファイルを作れませんでした。</translation>
    </message>
    <message>
        <source>a picture of %1 x %2 dots is over the %3 million a tag&apos;s picture may have: lower --dpi or --label-size, or write a PDF or SVG file</source>
        <translation>%1 x %2 ドットの画像は、値札の画像の上限 %3 百万ドットを超えます。--dpi か --label-size を小さくするか、PDF か SVG のファイルに書き出してください。</translation>
    </message>
    <message>
        <source>a picture of %1 x %2 dots cannot be made</source>
        <translation>%1 x %2 ドットの画像を作れません。</translation>
    </message>
    <message>
        <source>no module of whole dots at %1 dpi fits the tag&apos;s symbol between %2 and %3 percent; at %4 dots (%5 percent) it needs at least %6 x %7 mm</source>
        <translation>%1 dpi では、倍率 %2 % から %3 % の間に値札の記号に合う整数ドットのモジュール幅がありません。%4 ドット (倍率 %5 %) なら少なくとも %6 x %7 mm のラベルが必要です。</translation>
    </message>
    <message>
        <source>no module of whole dots at %1 dpi fits the tag&apos;s symbol between %2 and %3 percent</source>
        <translation>%1 dpi では、倍率 %2 % から %3 % の間に値札の記号に合う整数ドットのモジュール幅がありません。</translation>
    </message>
    <message>
        <source>the tag does not fit a label of %1 x %2 mm; it needs at least %3 x %4 mm</source>
        <translation>値札が %1 x %2 mm のラベルに収まりません。少なくとも %3 x %4 mm が必要です。</translation>
    </message>
    <message>
        <source>a space</source>
        <translation>空白</translation>
    </message>
    <message>
        <source>control character U+%1</source>
        <translation>制御文字 U+%1</translation>
    </message>
    <message>
        <source>&apos;%1&apos;, a full-width digit: type %2 instead</source>
        <translation>「%1」、全角の数字です。代わりに %2 と入力してください</translation>
    </message>
    <message>
        <source>%1: wrong check digit: the %2th digit is %3, but for %4 it must be %5, which makes %6</source>
        <translation>%1: チェックデジットが違います。%2 桁目は %3 ですが、%4 のチェックデジットは %5 で、コードは %6 になります。</translation>
    </message>
    <message>
        <source>  %1  (digits %2 and %3 swapped)</source>
        <translation>  %1  (%2 桁目と %3 桁目を入れ替え)</translation>
    </message>
    <message>
        <source>No swap of two neighbouring digits makes %1 valid.</source>
        <translation>隣り合う 2 桁を入れ替えても %1 は正しいコードになりません。</translation>
    </message>
    <message>
        <source>Or were two neighbouring digits swapped? These are valid:</source>
        <translation>隣り合う 2 桁を入れ替えていませんか。次のコードなら正しいコードです:</translation>
    </message>
    <message>
        <source>%1: %2 takes no add-on</source>
        <translation>%1: %2 にはアドオンを付けられません。</translation>
    </message>
    <message>
        <source>%1: the add-on &apos;%2&apos; is not 2 or 5 digits 0-9</source>
        <translation>%1: アドオン「%2」は 2 桁または 5 桁の数字 (0-9) ではありません。</translation>
    </message>
    <message>
        <source>%1: %2 %3; give %4 (the check digit is added) or %5 (the check digit is checked), or the %6 or %7 of a %8 that zero-suppresses</source>
        <translation>%1: %2 %3です。%4 桁 (チェックデジットを付加) か %5 桁 (チェックデジットを検査)、またはゼロ抑制する %8 の %6 桁か %7 桁を入力してください。</translation>
    </message>
    <message>
        <source>%1: %2 %3; give %4 (the check digit is added) or %5 (the check digit is checked); --symbol jan8 draws a short JAN of 8</source>
        <translation>%1: %2 %3です。%4 桁 (チェックデジットを付加) か %5 桁 (チェックデジットを検査) を入力してください。8 桁の短縮JANコードは --symbol jan8 で作ります。</translation>
    </message>
    <message>
        <source>%1: %2 %3; give %4 (the check digit is added) or %5 (the check digit is checked)</source>
        <translation>%1: %2 %3です。%4 桁 (チェックデジットを付加) か %5 桁 (チェックデジットを検査) を入力してください。</translation>
    </message>
    <message>
        <source>digit</source>
        <translation>桁</translation>
    </message>
    <message>
        <source>digits</source>
        <translation>桁</translation>
    </message>
    <message>
        <source>%1: UPC-E has number system 0 or 1 (its first digit), not %2</source>
        <translation>%1: UPC-E のナンバーシステム (先頭の数字) は 0 か 1 で、%2 ではありません。</translation>
    </message>
    <message>
        <source>%1: the UPC-A %2 does not zero-suppress into UPC-E: its maker&apos;s number %3 must end in 000, 100 or 200 with an item number up to 00999, in 00 with one up to 00099, in 0 with one up to 00009, or else the item number must be 00005 to 00009; --symbol upca draws it</source>
        <translation>%1: UPC-A %2 は UPC-E にゼロ抑制できません。メーカー番号 %3 が 000, 100, 200 で終わるなら商品番号は 00999 まで、00 で終わるなら 00099 まで、0 で終わるなら 00009 まで、それ以外は商品番号が 00005 から 00009 でなければなりません。--symbol upca で作れます。</translation>
    </message>
    <message>
        <source>%1: not a UPC-E: it stands for the UPC-A %2, which suppresses to %3 instead</source>
        <translation>%1: UPC-E ではありません。UPC-A %2 を表しますが、それをゼロ抑制すると %3 になります。</translation>
    </message>
    <message>
        <source>%1: these 13 digits are a JAN (their last digit is its check digit) and could also be the first 13 digits of a GTIN-14; which is meant cannot be told:
  the case code of this JAN: --indicator 1 makes %2 (the indicator digit of the packing level, 1 to 8)
  the GTIN-14 that begins with them: give all 14 digits, %3</source>
        <translation>%1: この 13 桁は JANコード (最後の桁がチェックデジット) ですが、GTIN-14 の最初の 13 桁とも読めます。どちらのつもりか判断できません:
  この JANコードの集合包装用コード: --indicator 1 で %2 になります (インジケーターは荷姿の段階を表す 1 から 8 の数字)
  この 13 桁で始まる GTIN-14: 14 桁すべてを %3 と入力してください</translation>
    </message>
    <message>
        <source>%1: character %2 (%3) is not a digit 0-9</source>
        <translation>%1: %2 文字目 (%3) は 0-9 の数字ではありません。</translation>
    </message>
    <message>
        <source>--indicator takes the 12 or 13 digits of a JAN; a GTIN-14&apos;s 14 digits are drawn as they are without it</source>
        <translation>--indicator には JANコードの 12 桁か 13 桁を指定します。GTIN-14 の 14 桁は --indicator なしでそのまま作ります。</translation>
    </message>
    <message>
        <source>%1 fields where the header names %2: a price with a comma (1,080) needs its quotes (&quot;1,080&quot;), as spreadsheets write it</source>
        <translation>見出し行の項目は %2 個ですが、この行は %1 個あります。コンマを含む価格 (1,080) は、表計算ソフトが書き出すように引用符で囲んでください (&quot;1,080&quot;)。</translation>
    </message>
</context>
<context>
    <name>render</name>
    <message>
        <source>Try &apos;stripewell-render --help&apos;.</source>
        <translation>詳しくは &apos;stripewell-render --help&apos; をご覧ください。</translation>
    </message>
    <message>
        <source>it is closed</source>
        <translation>閉じられています</translation>
    </message>
    <message>
        <source>it is a folder</source>
        <translation>フォルダーです</translation>
    </message>
    <message>
        <source>it is a device; a list is a file or a pipe</source>
        <translation>デバイスです。一覧はファイルかパイプで渡してください</translation>
    </message>
    <message>
        <source>it is a fifo; a list is a file or a pipe</source>
        <translation>FIFO です。一覧はファイルかパイプで渡してください</translation>
    </message>
    <message>
        <source>it is a socket; a list is a file or a pipe</source>
        <translation>ソケットです。一覧はファイルかパイプで渡してください</translation>
    </message>
    <message>
        <source>(standard input)</source>
        <translation>(標準入力)</translation>
    </message>
    <message>
        <source>cannot read the list %1: %2</source>
        <translation>一覧 %1 を読めません (%2)。</translation>
    </message>
    <message>
        <source>cannot make the folder %1: %2</source>
        <translation>フォルダー %1 を作れません (%2)。</translation>
    </message>
    <message>
        <source>the list being read</source>
        <translation>読み込み中の一覧</translation>
    </message>
    <message>
        <source>%1; stopped there, %2 lines not written (%3 files written)</source>
        <translation>%1。ここで止めました。%2 行は書き込んでいません (書き込んだファイルは %3 個)。</translation>
    </message>
    <message>
        <source>%1 of the lines in %2 failed; %3 files written to %4</source>
        <translation>%2 の %1 行が失敗しました。%4 にファイルを %3 個書き込みました。</translation>
    </message>
    <message>
        <source>at %1 dpi no whole number of dots makes a module of %2 to %3 percent</source>
        <translation>%1 dpi では、倍率 %2 から %3 % のモジュール幅になるドット数がありません。</translation>
    </message>
    <message>
        <source>--bwr %1 would leave bars of %2 dots from a module of %3 dots at %4 dpi; at most half a module (%5 micrometres) can go</source>
        <translation>--bwr %1 では、%3 ドットのモジュールのバーが %2 ドットになります (%4 dpi)。バー幅補正はモジュール幅の半分 (%5 マイクロメートル) までです。</translation>
    </message>
    <message>
        <source>module %1 dots, X = %2 mm (magnification %3 %)</source>
        <translation>モジュール幅 %1 ドット、X = %2 mm (倍率 %3 %)</translation>
    </message>
    <message>
        <source>bar width reduction %1 dots (%2 micrometres)</source>
        <translation>バー幅補正 %1 ドット (%2 マイクロメートル)</translation>
    </message>
    <message>
        <source>wide-to-narrow ratio %1</source>
        <translation>太細比 %1</translation>
    </message>
    <message>
        <source>at %1 dpi: %2</source>
        <translation>%1 dpi では %2 になります。</translation>
    </message>
    <message>
        <source>--bwr %1 would leave bars narrower than half a module (%2 micrometres at %3 percent)</source>
        <translation>--bwr %1 では、バーがモジュール幅の半分 (%2 マイクロメートル、倍率 %3 %) より細くなります。</translation>
    </message>
    <message>
        <source>%1 takes a whole number from %2 to %3, not &apos;%4&apos;</source>
        <translation>%1 には %2 から %3 までの整数を指定してください (指定:「%4」)。</translation>
    </message>
    <message>
        <source>--scale is for bmp and png; svg and pdf are sized with --magnification</source>
        <translation>--scale は bmp と png 用です。svg と pdf の大きさは --magnification で指定します。</translation>
    </message>
    <message>
        <source>--scale is for the window layout; a retail bitmap is sized with --dpi and --magnification</source>
        <translation>--scale はウィンドウのレイアウト用です。retail のビットマップの大きさは --dpi と --magnification で指定します。</translation>
    </message>
    <message>
        <source>--magnification is for svg, pdf and --layout retail; the window&apos;s bmp and png are sized with --scale</source>
        <translation>--magnification は svg、pdf と --layout retail 用です。ウィンドウの bmp と png の大きさは --scale で指定します。</translation>
    </message>
    <message>
        <source>--dpi goes with --layout retail</source>
        <translation>--dpi は --layout retail と一緒に指定します。</translation>
    </message>
    <message>
        <source>--bwr goes with --layout retail</source>
        <translation>--bwr は --layout retail と一緒に指定します。</translation>
    </message>
    <message>
        <source>--quiet-zone-marker goes with --layout retail</source>
        <translation>--quiet-zone-marker は --layout retail と一緒に指定します。</translation>
    </message>
    <message>
        <source>--layout takes window or retail, not &apos;%1&apos;</source>
        <translation>--layout には window か retail を指定してください (指定:「%1」)。</translation>
    </message>
    <message>
        <source>a digit is part of the codes</source>
        <translation>数字はコードの一部です</translation>
    </message>
    <message>
        <source>&quot;+&quot; joins a code to its add-on (4910123450124+12345)</source>
        <translation>「+」はコードとアドオンをつなぎます (4910123450124+12345)</translation>
    </message>
    <message>
        <source>&quot;.&quot; stands in the numbers a spreadsheet writes (4.90123E+12)</source>
        <translation>「.」は表計算ソフトが書く数値に含まれます (4.90123E+12)</translation>
    </message>
    <message>
        <source>&quot; quotes a field that holds the separator</source>
        <translation>「&quot;」は区切り文字を含む欄を囲みます</translation>
    </message>
    <message>
        <source>--encoding takes UTF-8, UTF-16LE, UTF-16BE or Shift_JIS, not &apos;%1&apos;</source>
        <translation>--encoding には UTF-8、UTF-16LE、UTF-16BE、Shift_JIS のどれかを指定してください (指定:「%1」)。</translation>
    </message>
    <message>
        <source>--separator takes one character, or tab, comma or semicolon, not &apos;%1&apos;</source>
        <translation>--separator には 1 文字か、tab、comma、semicolon を指定してください (指定:「%1」)。</translation>
    </message>
    <message>
        <source>--separator cannot be &apos;%1&apos;: %2; give another character, such as tab, comma or semicolon</source>
        <translation>--separator に「%1」は使えません。%2。tab、comma、semicolon など、ほかの文字を指定してください。</translation>
    </message>
    <message>
        <source>--%1 takes a field&apos;s number from 1 or its header text, not &apos;%2&apos;</source>
        <translation>--%1 には列の番号 (1 から) か見出し行の文字を指定してください (指定:「%2」)。</translation>
    </message>
    <message>
        <source>--batch takes the digits from its list, not from &apos;%1&apos;</source>
        <translation>--batch では数字を一覧から読みます。「%1」は指定できません。</translation>
    </message>
    <message>
        <source>--batch takes the names from its list and writes into --out-dir; -o and --name do not go with it</source>
        <translation>--batch では名称を一覧から読み、--out-dir に書き込みます。-o と --name は一緒に指定できません。</translation>
    </message>
    <message>
        <source>--batch needs --out-dir DIR, the folder to write into</source>
        <translation>--batch には --out-dir DIR (書き込むフォルダー) が必要です。</translation>
    </message>
    <message>
        <source>--out-dir goes with --batch; a single symbol is written to -o FILE</source>
        <translation>--out-dir は --batch と一緒に指定します。記号 1 つは -o FILE に書き込みます。</translation>
    </message>
    <message>
        <source>--%1 says how to read a --batch list</source>
        <translation>--%1 は --batch の一覧の読み方を指定するオプションです。</translation>
    </message>
    <message>
        <source>--instore makes the code from --item; no DIGITS are given, not &apos;%1&apos;</source>
        <translation>--instore では --item からコードを作ります。DIGITS は指定できません (指定:「%1」)。</translation>
    </message>
    <message>
        <source>the digits are missing</source>
        <translation>数字が指定されていません。</translation>
    </message>
    <message>
        <source>one DIGITS argument expected, %1 given: %2</source>
        <translation>DIGITS は 1 つだけ指定してください。%1 個指定されています: %2</translation>
    </message>
    <message>
        <source>--no-name leaves the name line out; it does not go with --name</source>
        <translation>--no-name は名称の行を省きます。--name と一緒には指定できません。</translation>
    </message>
    <message>
        <source>-o FILE is missing: where should the symbol go?</source>
        <translation>-o FILE がありません。記号をどこに書き込むか指定してください。</translation>
    </message>
    <message>
        <source>%1 and %2</source>
        <translation>%1 と %2</translation>
    </message>
    <message>
        <source>%1 or %2</source>
        <translation>%1、%2 のどれか</translation>
    </message>
    <message>
        <source>--quiet-zone-marker is for %1</source>
        <translation>--quiet-zone-marker は %1 用です。</translation>
    </message>
    <message>
        <source>--ratio takes a number from 2.25 to 3, not &apos;%1&apos;</source>
        <translation>--ratio には 2.25 から 3 までの数を指定してください (指定:「%1」)。</translation>
    </message>
    <message>
        <source>--bearer takes frame or bars, not &apos;%1&apos;</source>
        <translation>--bearer には frame か bars を指定してください (指定:「%1」)。</translation>
    </message>
    <message>
        <source>--indicator takes one digit 0-9, not &apos;%1&apos;</source>
        <translation>--indicator には 0 から 9 までの数字 1 つを指定してください (指定:「%1」)。</translation>
    </message>
    <message>
        <source>--%1 does not go with --symbol book</source>
        <translation>--%1 は --symbol book と一緒には指定できません。</translation>
    </message>
    <message>
        <source>--%1 is for one book; a list gives each book&apos;s in its columns (ISBN, Cコード, 本体価格)</source>
        <translation>--%1 は書籍 1 冊用です。一覧では各書籍の値を列 (ISBN、Cコード、本体価格) で指定します。</translation>
    </message>
    <message>
        <source>the book JAN is two symbols under the 日本図書コード, drawn to its guide&apos;s sizes with --layout retail</source>
        <translation>書籍JANコードは日本図書コードの下に記号を 2 段に並べたもので、--layout retail でガイドラインの寸法に描きます</translation>
    </message>
    <message>
        <source>write a pdf or svg and place it on the cover, or a label sheet with --sheet</source>
        <translation>pdf か svg に書き込んで表紙に配置するか、--sheet でラベル用紙にしてください</translation>
    </message>
    <message>
        <source>the window draws one pixel a module, and ITF-14&apos;s wide bars are 2.25 to 3 modules; it is drawn with --layout retail</source>
        <translation>ウィンドウは 1 モジュールを 1 画素で描きますが、ITF-14 の太いバーは 2.25 から 3 モジュールです。--layout retail で描きます</translation>
    </message>
    <message>
        <source>--%1 goes with --symbol %2</source>
        <translation>--%1 は --symbol %2 と一緒に指定します。</translation>
    </message>
    <message>
        <source>--symbol %1 is not printed: %2</source>
        <translation>--symbol %1 は印刷できません。%2。</translation>
    </message>
    <message>
        <source>--symbol %1 has no window layout: %2</source>
        <translation>--symbol %1 にはウィンドウのレイアウトがありません。%2。</translation>
    </message>
    <message>
        <source>--symbol takes %1, not &apos;%2&apos;</source>
        <translation>--symbol には %1を指定してください (指定:「%2」)。</translation>
    </message>
    <message>
        <source>--batch takes add-ons from its list&apos;s code field, as in &quot;4910123450124 12345&quot;</source>
        <translation>--batch ではアドオンを一覧のコード欄から読みます (例:「4910123450124 12345」)。</translation>
    </message>
    <message>
        <source>give --sheet or --sheet-file, not both</source>
        <translation>--sheet と --sheet-file はどちらか一方だけ指定してください。</translation>
    </message>
    <message>
        <source>--%1 does not go with --print, which prints retail symbols at the printer&apos;s resolution</source>
        <translation>--%1 は --print と一緒には指定できません。--print はプリンターの解像度で retail の記号を印刷します。</translation>
    </message>
    <message>
        <source>--%1 does not go with a label sheet, a pdf of retail symbols at -o</source>
        <translation>--%1 はラベル用紙と一緒には指定できません。ラベル用紙は -o に書き込む retail の記号の pdf です。</translation>
    </message>
    <message>
        <source>--%1 does not go with --print</source>
        <translation>--%1 は --print と一緒には指定できません。</translation>
    </message>
    <message>
        <source>standard input can be the list or the sheet file, not both</source>
        <translation>標準入力は一覧かラベル用紙ファイルのどちらか一方にしか使えません。</translation>
    </message>
    <message>
        <source>--batch takes the names and digits from its list</source>
        <translation>--batch では名称と数字を一覧から読みます。</translation>
    </message>
    <message>
        <source>-o FILE.pdf is missing: where should the labels go?</source>
        <translation>-o FILE.pdf がありません。ラベルをどこに書き込むか指定してください。</translation>
    </message>
    <message>
        <source>a label sheet is a pdf: end -o in .pdf, not &apos;%1&apos;</source>
        <translation>ラベル用紙は pdf です。-o は .pdf で終えてください (指定:「%1」)。</translation>
    </message>
    <message>
        <source>--%1 needs a %2, not an empty value</source>
        <translation>--%1 には %2 を指定してください。空の値は指定できません。</translation>
    </message>
    <message>
        <source>--format takes bmp, png, svg or pdf, not &apos;%1&apos;</source>
        <translation>--format には bmp、png、svg、pdf のどれかを指定してください (指定:「%1」)。</translation>
    </message>
    <message>
        <source>cannot tell the format from the name &apos;%1&apos;: end it in .bmp, .png, .svg or .pdf, or give --format</source>
        <translation>名前「%1」から形式がわかりません。.bmp、.png、.svg、.pdf のどれかで終えるか、--format を指定してください。</translation>
    </message>
    <message>
        <source>a tag is drawn for print: --layout %1 does not go with --design %2</source>
        <translation>値札は印刷用に描きます。--layout %1 は --design %2 と一緒には指定できません。</translation>
    </message>
    <message>
        <source>a tag&apos;s bitmap is sized with --dpi; --scale is for the window&apos;s picture</source>
        <translation>値札のビットマップの大きさは --dpi で指定します。--scale はウィンドウの画像用です。</translation>
    </message>
    <message>
        <source>--printer takes list; --print NAME prints on a printer</source>
        <translation>--printer には list を指定します。プリンターで印刷するには --print NAME を指定してください。</translation>
    </message>
    <message>
        <source>--media goes with --print</source>
        <translation>--media は --print と一緒に指定します。</translation>
    </message>
    <message>
        <source>--%1 goes with --sheet, --sheet-file or --print</source>
        <translation>--%1 は --sheet、--sheet-file、--print のどれかと一緒に指定します。</translation>
    </message>
    <message>
        <source>Draws a JAN (EAN-13) bar code symbol into a file: by default the picture
that the Stripewell window draws and saves, or with --layout retail the
symbol for print. --symbol draws a short JAN (EAN-8), UPC-A, UPC-E or
ITF-14 instead.</source>
        <translation>JAN (EAN-13) のバーコードの記号をファイルに描きます。指定がなければ Stripewell
のウィンドウが描いて保存する画像を、--layout retail では印刷用の記号を描きま
す。--symbol で短縮JANコード (EAN-8)、UPC-A、UPC-E、ITF-14 も描けます。</translation>
    </message>
    <message>
        <source>12 digits (jan8 and upce: 7, upca: 11), to which the check digit is added, or one more, whose last digit is checked.</source>
        <translation>12 桁の数字 (jan8 と upce は 7 桁、upca は 11 桁) で、チェックデジットを付け足します。1 桁多ければ最後の桁をチェックデジットとして確かめます。</translation>
    </message>
    <message>
        <source>The file to write; its ending (.bmp, .png, .svg, .pdf) chooses the format unless --format is given. &quot;-&quot; is standard output (bmp unless --format is given), and so is a link to it, such as /dev/stdout.</source>
        <translation>書き込むファイル。--format がなければ拡張子 (.bmp、.png、.svg、.pdf) で形式を決めます。「-」は標準出力 (--format がなければ bmp) で、/dev/stdout のような標準出力へのリンクも同じです。</translation>
    </message>
    <message>
        <source>The name: at the top left in the window layout, above the symbol in the retail layout (default: none). At most 1000 characters, as in the window: a longer name is cut, and a line says so.</source>
        <translation>名称。ウィンドウのレイアウトでは左上に、retail のレイアウトでは記号の上に描きます (指定がなければなし)。ウィンドウと同じく 1000 文字までで、長い名称は切り詰め、そのことを 1 行で知らせます。</translation>
    </message>
    <message>
        <source>No name line: a list&apos;s names still name its files, but no symbol, label or printed label shows one, and the labels are fitted without it.</source>
        <translation>名称の行なし。一覧の名称はファイル名には使いますが、記号にもラベルにも印刷したラベルにも名称を出さず、名称なしでラベルに合わせます。</translation>
    </message>
    <message>
        <source>jan13 (default; also ean13), jan8 (also ean8): the short JAN, upca, or upce: UPC-E, from its own 7 or 8 digits or from a UPC-A&apos;s 11 or 12 that zero-suppress, itf14: ITF-14, the case code, retail layout only, or book: the book JAN, two symbols under the 日本図書コード, of the ISBN given as DIGITS, --classification and --price.</source>
        <translation>jan13 (既定。ean13 も可)、jan8 (ean8 も可): 短縮JANコード、upca、upce: UPC-E (自身の 7 桁か 8 桁、またはゼロ抑制できる UPC-A の 11 桁か 12 桁から)、itf14: 集合包装用 (ITF-14)、retail のレイアウトのみ、book: 書籍JANコード (日本図書コードの下の 2 段の記号。ISBN を DIGITS に、--classification と --price と一緒に指定)。</translation>
    </message>
    <message>
        <source>jan13, upca and upce: a 2- or 5-digit add-on after the symbol. In a batch list, the code field gives it: &quot;4910123450124 12345&quot; or &quot;4910123450124+12345&quot;.</source>
        <translation>jan13、upca、upce: 記号の後ろに付ける 2 桁か 5 桁のアドオン。一覧ではコード欄で指定します:「4910123450124 12345」または「4910123450124+12345」。</translation>
    </message>
    <message>
        <source>itf14: the GTIN-14 of a case of the items of the 12- or 13-digit JAN given, or of each in a list: indicator digit N (0-9), the JAN&apos;s first twelve digits and a new check digit. Without it 13 digits that are a whole JAN are refused.</source>
        <translation>itf14: 指定した 12 桁か 13 桁の JANコード (一覧では各行のもの) の商品を入れたケースの GTIN-14。インジケーター N (0-9)、JANコードの最初の 12 桁、新しいチェックデジットからなります。これがないと、JANコードとして完全な 13 桁は受け付けません。</translation>
    </message>
    <message>
        <source>itf14: wide bars and spaces RATIO narrow ones, 2.25 to 3 (default 2.5; in bmp and png the nearest whole dots).</source>
        <translation>itf14: 太いバーとスペースを細いものの RATIO 倍に (2.25 から 3、既定は 2.5。bmp と png では最も近いドット数)。</translation>
    </message>
    <message>
        <source>itf14: frame (default): bearer bars 4.83 mm wide around the symbol, for printing straight on corrugated board; bars: 2 modules above and below it, for a label.</source>
        <translation>itf14: frame (既定): 段ボールに直接印刷するための、記号を囲む幅 4.83 mm のベアラーバー。bars: ラベル用の、記号の上下に 2 モジュールのバー。</translation>
    </message>
    <message>
        <source>book: the classification code, C and four digits (C0095). A list gives it in a column Cコード or 分類コード.</source>
        <translation>book: 分類コード。C と 4 桁の数字 (C0095)。一覧では列 Cコード か 分類コード で指定します。</translation>
    </message>
    <message>
        <source>book: the price before tax in yen, 0 to 99999; a higher price is coded 00000. A list gives it in a column 本体価格 or 価格.</source>
        <translation>book: 税抜の本体価格 (円)、0 から 99999。それより高い価格は 00000 とします。一覧では列 本体価格 か 価格 で指定します。</translation>
    </message>
    <message>
        <source>bmp, png, svg or pdf (batch default: bmp).</source>
        <translation>bmp、png、svg、pdf のどれか (一覧の既定: bmp)。</translation>
    </message>
    <message>
        <source>window (default): the window&apos;s picture, byte for byte its saved BMP at --scale 1. retail: the symbol for print, at its nominal sizes with OCR-B digits.</source>
        <translation>window (既定): ウィンドウの画像。--scale 1 ではウィンドウが保存する BMP とバイト単位で同じです。retail: 印刷用の記号。規定の寸法で、数字は OCR-B です。</translation>
    </message>
    <message>
        <source>Window layout, bmp and png: N pixels per module, 1 to 20 (default 1), written as 96 x N dpi.</source>
        <translation>ウィンドウのレイアウトの bmp と png: 1 モジュールを N 画素に (1 から 20、既定は 1)。96 x N dpi として書き込みます。</translation>
    </message>
    <message>
        <source>svg, pdf and the retail layout: the module is 0.33 mm times PERCENT, 80 to 200 (default 100); itf14: 1.016 mm times PERCENT, 49 to 100.</source>
        <translation>svg、pdf、retail のレイアウト: モジュール幅は 0.33 mm の PERCENT % (80 から 200、既定は 100)。itf14 では 1.016 mm の PERCENT % (49 から 100)。</translation>
    </message>
    <message>
        <source>Retail: the printer&apos;s resolution, 72 to 4800 (bmp and png: default 300; svg and pdf: drawn on that printer&apos;s dots, the page a whole number of them). A module is the nearest whole number of dots; a line on standard error says when that moves the magnification.</source>
        <translation>retail: プリンターの解像度、72 から 4800 (bmp と png の既定は 300。svg と pdf ではそのプリンターのドットに合わせて描き、ページもドットの整数倍)。モジュール幅は最も近い整数のドット数にし、それで倍率が変わるときは標準エラー出力に 1 行で知らせます。</translation>
    </message>
    <message>
        <source>Retail: bar width reduction, every bar narrowed by MICRONS micrometres about its middle (whole dots in bmp and png).</source>
        <translation>retail: バー幅補正。各バーを中心から MICRONS マイクロメートル細くします (bmp と png では整数のドット数)。</translation>
    </message>
    <message>
        <source>Retail: the &quot;&gt;&quot; in the right quiet zone.</source>
        <translation>retail: 右の余白に「&gt;」を描きます。</translation>
    </message>
    <message>
        <source>Replace a file or a link that already exists (the link itself); without it an existing file is left alone and counts as a failure. Never replaced: a folder, a device, a fifo, a socket, a read-only file, the batch list, standard input, output, error.</source>
        <translation>既にあるファイルやリンク (リンクそのもの) を上書きします。これがなければ既にあるファイルはそのままにし、失敗として数えます。上書きしないもの: フォルダー、デバイス、FIFO、ソケット、読み取り専用のファイル、一覧、標準入力、標準出力、標準エラー出力。</translation>
    </message>
    <message>
        <source>One symbol per line of LIST (&quot;-&quot; reads standard input).</source>
        <translation>LIST の 1 行ごとに記号を 1 つ描きます (「-」は標準入力から読みます)。</translation>
    </message>
    <message>
        <source>The folder the batch writes into (made if missing).</source>
        <translation>一覧の記号を書き込むフォルダー (なければ作ります)。</translation>
    </message>
    <message>
        <source>The list&apos;s encoding: UTF-8, UTF-16LE, UTF-16BE or Shift_JIS (default: found from the list).</source>
        <translation>一覧の文字コード: UTF-8、UTF-16LE、UTF-16BE、Shift_JIS (既定: 一覧から判定)。</translation>
    </message>
    <message>
        <source>The list&apos;s separator: a character, tab, comma or semicolon (default: a tab if the first line has one, else a comma). Not a digit, +, . or &quot;, which stand inside codes and numbers.</source>
        <translation>一覧の区切り文字: 1 文字か、tab、comma、semicolon (既定: 最初の行にタブがあればタブ、なければコンマ)。数字、+、.、&quot; は、コードや数値の中にあるので使えません。</translation>
    </message>
    <message>
        <source>The list&apos;s field of the codes: its number from 1, or its header text (default: found by the header).</source>
        <translation>一覧のコードの列: 1 から数えた番号か、見出し行の文字 (既定: 見出し行から判定)。</translation>
    </message>
    <message>
        <source>Labels on an A4 label sheet, into one pdf at -o: the sheet NAME (&quot;--sheet list&quot; shows them). Each label holds a retail symbol at --magnification, or the largest that fits, at least 80.</source>
        <translation>A4 のラベル用紙にラベルを並べ、-o の 1 つの pdf にします。NAME は用紙の名前 (「--sheet list」で一覧表示)。各ラベルには --magnification の倍率、または入る最大の倍率 (80 以上) で retail の記号を描きます。</translation>
    </message>
    <message>
        <source>Labels on a sheet of one&apos;s own, described in FILE (see below): a file of at most 64 KiB, or &quot;-&quot; for standard input.</source>
        <translation>FILE に書いた自分のラベル用紙にラベルを並べます (下記参照)。64 KiB までのファイルか、標準入力なら「-」。</translation>
    </message>
    <message>
        <source>Label sheets: N labels of each code (default 1).</source>
        <translation>ラベル用紙: コードごとに N 枚のラベル (既定は 1)。</translation>
    </message>
    <message>
        <source>Label sheets: leave the first N labels of the first page empty, for a sheet that was partly used.</source>
        <translation>ラベル用紙: 使いかけの用紙のために、最初のページの最初の N 枚を空けます。</translation>
    </message>
    <message>
        <source>Label sheets: draw each label&apos;s edge, for a test print.</source>
        <translation>ラベル用紙: 試し刷り用に各ラベルの縁を描きます。</translation>
    </message>
    <message>
        <source>The list&apos;s field of the names, the same way.</source>
        <translation>一覧の名称の列。指定のしかたはコードの列と同じです。</translation>
    </message>
    <message>
        <source>Print instead of writing a file: on PRINTER, or on the default printer when none is named. Each symbol on a page of the printer&apos;s media (a label of a roll), or on --sheet, at the printer&apos;s resolution: modules on whole dots.</source>
        <translation>ファイルに書き込まずに印刷します。PRINTER に、指定がなければ既定のプリンターに印刷します。記号ごとにプリンターの用紙 (ロール紙のラベル) 1 ページに、または --sheet の用紙に、プリンターの解像度で、モジュール幅を整数のドットにして印刷します。</translation>
    </message>
    <message>
        <source>&quot;--printer list&quot; shows the printers with their resolutions and media.</source>
        <translation>「--printer list」でプリンターを解像度と用紙と一緒に表示します。</translation>
    </message>
    <message>
        <source>--print: the label, one of the printer&apos;s media by name or as &quot;W x H mm&quot; (default: the printer&apos;s).</source>
        <translation>--print: ラベル。プリンターの用紙の名前か「W x H mm」で指定します (既定: プリンターの用紙)。</translation>
    </message>
    <message>
        <source>symbol (default): the symbol under its name, as without it. price: a price tag (値札), the name, the price with tax large, the price without it small, and the symbol. shelf: a shelf label (棚札), wider, the price largest, the symbol small.</source>
        <translation>symbol (既定): 名称の下に記号。指定しないときと同じです。price: 値札。名称、大きく税込価格、小さく税抜価格、記号。shelf: 棚札。値札より横長で、価格を最も大きく、記号を小さく描きます。</translation>
    </message>
    <message>
        <source>A tag&apos;s price with tax (税込) in yen; --price gives the one without (本体価格) instead. A list gives them in columns 売価, 税込価格 or 価格, and 税抜価格 or 本体価格.</source>
        <translation>値札の税込価格 (円)。--price では代わりに税抜価格 (本体価格) を指定します。一覧では列 売価、税込価格、価格、および 税抜価格、本体価格 で指定します。</translation>
    </message>
    <message>
        <source>A tag&apos;s tax rate in percent: 10 (default) or 8, the reduced rate of food and drink. A list&apos;s column 税率 gives each line&apos;s (10, 8, 標準, 軽減).</source>
        <translation>値札の税率 (%): 10 (既定) か、食品の軽減税率の 8。一覧では列 税率 で各行の税率を指定します (10、8、標準、軽減)。</translation>
    </message>
    <message>
        <source>How a tag&apos;s tax is rounded to whole yen: floor (default), round or ceil.</source>
        <translation>値札の税の端数処理: floor (切り捨て、既定)、round (四捨五入)、ceil (切り上げ)。</translation>
    </message>
    <message>
        <source>How a tag words its price without tax: zeinuki (default), &quot;税抜 ¥1,000&quot;, or hontai, &quot;本体価格 ¥1,000&quot;.</source>
        <translation>値札の税抜価格の書き方: zeinuki (既定)「税抜 ¥1,000」、または hontai「本体価格 ¥1,000」。</translation>
    </message>
    <message>
        <source>--design shelf: the shelf label without its symbol.</source>
        <translation>--design shelf: 記号のない棚札にします。</translation>
    </message>
    <message>
        <source>A tag&apos;s code made as an in-store code (インストアマーキング), with --item instead of DIGITS: plu, or price4, price5, price4-check or price5-check, whose code holds the price with tax (see below).</source>
        <translation>値札のコードをインストアコード (インストアマーキング) にします。DIGITS の代わりに --item を指定します: plu、または price4、price5、price4-check、price5-check (コードに税込価格が入ります。下記参照)。</translation>
    </message>
    <message>
        <source>--instore: the code&apos;s first two digits, 20 to 29, or 02 for the codes with the price inside (default: 20 for plu, 02 for the others).</source>
        <translation>--instore: コードの最初の 2 桁。20 から 29、価格入りのコードでは 02 も可 (既定: plu は 20、ほかは 02)。</translation>
    </message>
    <message>
        <source>--instore: the shop&apos;s item number. A list gives it in a column 品番 or 商品コード.</source>
        <translation>--instore: 店の品番。一覧では列 品番 か 商品コード で指定します。</translation>
    </message>
    <message>
        <source>A tag written to a file of its own (-o, --batch): its size in mm, as &quot;40x30&quot; (default: the design&apos;s own).</source>
        <translation>ファイルに書き込む値札 (-o、--batch) の大きさ (mm)。「40x30」のように指定します (既定: デザインの大きさ)。</translation>
    </message>
    <message>
        <source>This text.</source>
        <translation>この説明を表示します。</translation>
    </message>
    <message>
        <source>The version.</source>
        <translation>バージョンを表示します。</translation>
    </message>
    <message>
        <source>A wrong check digit is refused with the right one and with every swap of two
neighbouring digits that would make the code valid.
</source>
        <translation>チェックデジットが違うときは、正しいチェックデジットと、隣り合う 2 桁を入れ替え
て正しいコードになるすべての候補を示して受け付けません。
</translation>
    </message>
    <message>
        <source>Batch list:
  One symbol per line: NAME, a tab or a comma, then DIGITS, e.g.
      Green tea 500ml,4901234567894
  CSV as spreadsheets write it: quoted fields may hold separators, quotes (&quot;&quot;)
  and line breaks. With two fields the last is the digits and all before it
  the name, so a name may hold commas. A first line that names the columns
  (JAN, JANコード, コード, code, EAN; 名称, 商品名, 品名, name, product) or whose
  digit field holds text but no digit (like &quot;name,jan&quot;) is a header; other
  columns are ignored. UTF-8, UTF-16 with a byte order mark and Shift_JIS are
  found by themselves. LF, CRLF and CR end lines; blank lines are skipped.
  A code a spreadsheet turned into a number (4.90123E+12, leading zeros
  lost) is refused and the reason told. A name longer than 1000 characters
  is cut to them, and its line says so.
  Each file is named after its name, made safe for file systems (/ \ : * ?
  &quot; &lt; &gt; | and control characters become _, no leading dot, no Windows
  device name, at most 200 bytes), or after the code when the name is empty; a name seen before gets
  -2, -3, ... A bad line, or one whose file exists without --force, is
  reported on standard error with its line number and skipped; the other
  lines are still written. A full or read-only disk, or a folder that may
  not be written, stops the batch at once. On a terminal a progress line is
  shown.
</source>
        <translation>一覧:
  1 行に記号 1 つ: 名称、タブかコンマ、数字の順です。例:
      緑茶 500ml,4901234567894
  表計算ソフトが書く CSV: 引用符で囲んだ欄には区切り文字、引用符 (&quot;&quot;)、改行を含
  められます。欄が 2 つ以上あれば最後の欄が数字で、その前はすべて名称なので、名
  称にコンマを含められます。最初の行が列の名前 (JAN、JANコード、コード、code、
  EAN。名称、商品名、品名、name、product) か、数字の欄に数字のない文字 (例:
  「name,jan」) があれば見出し行です。ほかの列は無視します。UTF-8、BOM 付きの
  UTF-16、Shift_JIS は自動で判定します。行末は LF、CRLF、CR で、空行は飛ばしま
  す。表計算ソフトが数値に変えたコード (4.90123E+12、先頭のゼロが消えたもの) は
  理由を示して受け付けません。1000 文字より長い名称は切り詰め、その行で知らせま
  す。
  ファイル名は名称から、ファイルシステムで使える形にして付けます (/ \ : * ? &quot;
  &lt; &gt; | と制御文字は _ に、先頭のドットなし、Windows のデバイス名なし、200
  バイトまで)。名称が空ならコードから付けます。同じ名称には -2、-3、... を付け
  ます。不正な行と、--force なしでファイルが既にある行は、行番号と一緒に標準
  エラー出力に知らせて飛ばし、ほかの行は書き込みます。ディスクがいっぱいか読み
  取り専用のとき、または書き込めないフォルダーのときは、すぐに止めます。端末で
  は進行状況の行を表示します。
</translation>
    </message>
    <message>
        <source>Exit status:
  0  every symbol was written
  1  usage: the command line cannot be followed; with --print also no such
     printer, no print service, no such media: nothing is printed
  2  the digits were refused (not digits, wrong count, wrong check digit)
  3  nothing written: the file exists without --force, it or the folder cannot
     be written, or the batch list cannot be read or holds nothing to write;
     or a batch stopped at a full or read-only disk or a folder it may not
     write, or its files could not be made safe on disk at its end
  4  batch: some lines failed; all the others were written
</source>
        <translation>終了ステータス:
  0  すべての記号を書き込みました
  1  使い方の誤り: コマンドラインのとおりに実行できません。--print では、
     プリンター、印刷サービス、用紙がない場合も。何も印刷しません
  2  数字を受け付けませんでした (数字でない、桁数が違う、チェックデジットが違
     う)
  3  何も書き込んでいません: --force なしでファイルが既にある、ファイルか
     フォルダーに書き込めない、一覧が読めないか書き込むものがない。または、
     ディスクがいっぱいか読み取り専用か、書き込めないフォルダーで一覧の処理が止
     まった、最後にファイルをディスクに確実に保存できなかった
  4  一覧: 失敗した行があります。ほかの行はすべて書き込みました
</translation>
    </message>
    <message>
        <source>Label sheets:
  Built in (--sheet list shows them): a4-12, a4-18, a4-21, a4-24, a4-40,
  a4-44 and a4-65. A sheet file holds one &quot;key = value&quot; line for each of
  columns, rows, label-width, label-height, left, top, pitch-x and pitch-y,
  in millimetres (left and top: the page&apos;s corner to the first label&apos;s;
  pitch: one label&apos;s edge to the next one&apos;s); # starts a comment. Counts go
  up to 999 and lengths up to 1000 mm; a sheet file is a regular file of at
  most 64 KiB, or standard input. Labels too small for a symbol at 80
  percent, or for --bwr at the module they get, are refused, and nothing is
  written.
</source>
        <translation>ラベル用紙:
  組み込みの用紙 (--sheet list で表示): a4-12、a4-18、a4-21、a4-24、a4-40、
  a4-44、a4-65。ラベル用紙ファイルには columns、rows、label-width、
  label-height、left、top、pitch-x、pitch-y のそれぞれについて「key = value」の
  行を 1 行ずつ、ミリメートルで書きます (left と top: ページの角から最初の
  ラベルの角まで。pitch: ラベルの端から次のラベルの端まで)。# から後はコメント
  です。数は 999 まで、長さは 1000 mm までです。ラベル用紙ファイルは 64 KiB ま
  での通常のファイルか標準入力です。倍率 80 % の記号や、その倍率のモジュール幅
  での --bwr に小さすぎるラベルは受け付けず、何も書き込みません。
</translation>
    </message>
    <message>
        <source>Price tags:
  --design price makes price tags (値札) and --design shelf shelf labels (棚札):
  the name, the price with tax (総額表示) large as ¥1,100 税込, the price
  without tax beside it, and the symbol. Prices are whole yen; the one not
  given is computed at --tax-rate, the tax rounded as --rounding says (the
  seller&apos;s choice). A list&apos;s columns 売価, 税込価格 or 価格 (with tax), 税抜価格
  or 本体価格 (without) and 税率 give each line&apos;s; full-width digits, yen signs
  and commas are read, anything else makes a bad line with its reason. A list
  with a Cコード column is a book list, as before.
  In-store codes (--instore, 13 digits, the last the check digit):
    plu           20-29, 10 digits of the item number
    price4        02 or 20-29, 6 item digits, a 4-digit price
    price5        02 or 20-29, 5 item digits, a 5-digit price
    price4-check  02 or 20-29, 5 item digits, the price check digit, 4 digits
    price5-check  02 or 20-29, 4 item digits, the price check digit, 5 digits
  The price inside is the tag&apos;s price with tax; a list&apos;s code whose price
  differs from its tag&apos;s is refused.
</source>
        <translation>値札:
  --design price で値札を、--design shelf で棚札を作ります: 名称、大きく税込価
  格 (総額表示、¥1,100 税込)、その横に税抜価格、そして記号。価格は円単位の整数
  です。指定しなかったほうの価格は --tax-rate で計算し、税は --rounding のとお
  りに端数処理します (売り手が決めます)。一覧の列 売価、税込価格、価格 (税込)、
  税抜価格、本体価格 (税抜)、税率 で各行の値を指定します。全角数字、円記号、
  コンマは読み、それ以外は理由を示して不正な行とします。Cコード の列がある一覧
  は、これまでどおり書籍の一覧です。
  インストアコード (--instore、13 桁、最後の桁がチェックデジット):
    plu           20-29、品番 10 桁
    price4        02 か 20-29、品番 6 桁、価格 4 桁
    price5        02 か 20-29、品番 5 桁、価格 5 桁
    price4-check  02 か 20-29、品番 5 桁、価格チェックデジット、価格 4 桁
    price5-check  02 か 20-29、品番 4 桁、価格チェックデジット、価格 5 桁
  コードの中の価格は値札の税込価格です。一覧のコードの価格が値札の価格と違えば
  受け付けません。
</translation>
    </message>
    <message>
        <source>Usage: %1 [options] %2</source>
        <translation>使い方: %1 [オプション] %2</translation>
    </message>
    <message>
        <source>Options:</source>
        <translation>オプション:</translation>
    </message>
    <message>
        <source>Arguments:</source>
        <translation>引数:</translation>
    </message>
    <message>
        <source>Grade a scanned symbol (--verify --help: more).</source>
        <translation>スキャン画像の記号の印刷品質グレードを判定します (詳しくは --verify --help)。</translation>
    </message>
    <message>
        <source>Examples:</source>
        <translation>例:</translation>
    </message>
    <message>
        <source>the print service at %1 does not answer: %2</source>
        <translation>%1 の印刷サービスが応答しません (%2)</translation>
    </message>
    <message>
        <source>no default printer: %1</source>
        <translation>既定のプリンターがありません (%1)</translation>
    </message>
    <message>
        <source>printer %1 names no media (a raw queue, which passes jobs on unchanged, names none), so no label can be fitted to it: print on a queue with the printer&apos;s driver</source>
        <translation>プリンター %1 には用紙の名前がありません (ジョブをそのまま渡す raw キューには用紙がありません)。ラベルを合わせられないので、プリンターのドライバーを使うキューで印刷してください</translation>
    </message>
    <message>
        <source>printer %1 takes sizes of its own from %2 to %3 (width across the printer, then length), not %4</source>
        <translation>プリンター %1 に指定できる大きさは %2 から %3 まで (幅はプリンターの横方向、次に長さ) です。%4 は指定できません</translation>
    </message>
    <message>
        <source>  or a size of its own from %1 to %2</source>
        <translation>  または %1 から %2 までの大きさ</translation>
    </message>
    <message>
        <source>printer %1 has no media &apos;%2&apos;; give one of these, by name or as &quot;W x H mm&quot;:
%3</source>
        <translation>プリンター %1 には用紙「%2」がありません。次のどれかを名前か「W x H mm」で指定してください:
%3</translation>
    </message>
    <message>
        <source>printer %1 has no A4 paper for the label sheet</source>
        <translation>プリンター %1 にはラベル用紙のための A4 の用紙がありません</translation>
    </message>
    <message>
        <source>printer %1 does not take the media %2</source>
        <translation>プリンター %1 は用紙 %2 を使えません</translation>
    </message>
    <message>
        <source>printer %1 did not take the job: %2</source>
        <translation>プリンター %1 がジョブを受け付けませんでした (%2)</translation>
    </message>
    <message>
        <source>cannot ask the print service for its printers: %1</source>
        <translation>印刷サービスにプリンターを問い合わせられません (%1)</translation>
    </message>
    <message>
        <source>%1: nothing printed</source>
        <translation>%1。何も印刷していません。</translation>
    </message>
    <message>
        <source>%1; nothing printed</source>
        <translation>%1。何も印刷していません。</translation>
    </message>
    <message>
        <source>printing needs stripewell-render-print, which is at neither %1 nor %2; install Stripewell again</source>
        <translation>印刷には stripewell-render-print が必要ですが、%1 にも %2 にもありません。Stripewell をインストールし直してください</translation>
    </message>
    <message>
        <source>cannot run %1: %2</source>
        <translation>%1 を実行できません (%2)</translation>
    </message>
    <message>
        <source>%1 written, %2 failed</source>
        <translation>%1 件書き込み、%2 件失敗</translation>
    </message>
    <message>
        <source>%1 written</source>
        <translation>%1 件書き込み</translation>
    </message>
    <message>
        <source>a symbol at %1 percent and its name needs %2 x %3 mm with its margins (without the name line, --no-name: %4 x %5 mm)</source>
        <translation>倍率 %1 % の記号と名称には、余白を含めて %2 x %3 mm が必要です (名称の行なし、--no-name では %4 x %5 mm)</translation>
    </message>
    <message>
        <source>a symbol at %1 percent needs %2 x %3 mm with its margins (with a name line: %4 x %5 mm)</source>
        <translation>倍率 %1 % の記号には、余白を含めて %2 x %3 mm が必要です (名称の行ありでは %4 x %5 mm)</translation>
    </message>
    <message>
        <source>a %1 (--design %2) needs %3 x %4 mm with its margins</source>
        <translation>%1 (--design %2) には、余白を含めて %3 x %4 mm が必要です</translation>
    </message>
    <message>
        <source>there is no sheet &apos;%1&apos;; --sheet list shows the sheets</source>
        <translation>ラベル用紙「%1」はありません。--sheet list で用紙を表示できます。</translation>
    </message>
    <message>
        <source>%1 gives no label; nothing printed</source>
        <translation>%1 からはラベルが 1 枚もできません。何も印刷していません。</translation>
    </message>
    <message>
        <source>no label was painted; nothing written</source>
        <translation>ラベルを 1 枚も描けませんでした。何も書き込んでいません。</translation>
    </message>
    <message>
        <source>%1 gives no label; nothing written</source>
        <translation>%1 からはラベルが 1 枚もできません。何も書き込んでいません。</translation>
    </message>
    <message>
        <source>with its add-on the symbol is too wide for the label even at %1 percent: the label is %2 x %3 mm; %4</source>
        <translation>アドオンを付けると、倍率 %1 % でも記号がラベルの幅に入りません。ラベルは %2 x %3 mm で、%4。</translation>
    </message>
    <message>
        <source>with its add-on the symbol is drawn so small that --bwr %1 leaves bars narrower than half a module</source>
        <translation>アドオンを付けると記号がとても小さくなり、--bwr %1 ではバーがモジュール幅の半分より細くなります。</translation>
    </message>
    <message>
        <source>the printer&apos;s device failed</source>
        <translation>プリンターのデバイスが失敗しました</translation>
    </message>
    <message>
        <source>cannot write to the standard output: %1</source>
        <translation>標準出力に書き込めません (%1)</translation>
    </message>
    <message>
        <source>--skip %1 is beyond the %2 labels of a sheet of %3</source>
        <translation>--skip %1 は、用紙 %3 の 1 ページのラベル %2 枚を超えています。</translation>
    </message>
    <message>
        <source>the labels of %1 are %2 x %3 mm; %4: nothing printed</source>
        <translation>用紙 %1 のラベルは %2 x %3 mm です。%4。何も印刷していません。</translation>
    </message>
    <message>
        <source>the labels of %1 are %2 x %3 mm; %4: nothing written</source>
        <translation>用紙 %1 のラベルは %2 x %3 mm です。%4。何も書き込んでいません。</translation>
    </message>
    <message>
        <source>at %1 dpi no whole number of dots makes a module from %2 percent to the %3 percent that fits the label; the label is %4 x %5 mm, and %6: nothing printed</source>
        <translation>%1 dpi では、倍率 %2 % から、ラベルに入る %3 % までのモジュール幅になるドット数がありません。ラベルは %4 x %5 mm で、%6。何も印刷していません。</translation>
    </message>
    <message>
        <source>at %1 dpi: module %2 dots, X = %3 mm (magnification %4 %)</source>
        <translation>%1 dpi: モジュール幅 %2 ドット、X = %3 mm (倍率 %4 %)。</translation>
    </message>
    <message>
        <source>the symbols are printed at %1 percent, the largest that fits the labels of %2</source>
        <translation>用紙 %2 のラベルに入る最大の倍率、%1 % で記号を印刷します。</translation>
    </message>
    <message>
        <source>--bwr %1 would leave bars narrower than half a module (%2 micrometres at %3 percent on the labels of %4): nothing written</source>
        <translation>--bwr %1 では、バーがモジュール幅の半分 (%2 マイクロメートル、倍率 %3 %、用紙 %4 のラベル) より細くなります。何も書き込んでいません。</translation>
    </message>
    <message>
        <source>%1 of the lines in %2 failed; %3 labels printed</source>
        <translation>%2 の %1 行が失敗しました。ラベルを %3 枚印刷しました。</translation>
    </message>
    <message>
        <source>%1 of the lines in %2 failed; %3 labels written to %4</source>
        <translation>%2 の %1 行が失敗しました。%4 にラベルを %3 枚書き込みました。</translation>
    </message>
    <message>
        <source>--design takes %1 or %2, not &apos;%3&apos;</source>
        <translation>--design には %1 か %2 を指定してください (指定:「%3」)。</translation>
    </message>
    <message>
        <source>--%1 goes with a tag: --design price or shelf</source>
        <translation>--%1 は値札用です。--design price か shelf と一緒に指定してください。</translation>
    </message>
    <message>
        <source>--no-symbol is for shelf labels: --design shelf</source>
        <translation>--no-symbol は棚札用です。--design shelf と一緒に指定してください。</translation>
    </message>
    <message>
        <source>--tax-rate takes 10 or 8, the reduced rate, not &apos;%1&apos;</source>
        <translation>--tax-rate には 10 か、軽減税率の 8 を指定してください (指定:「%1」)。</translation>
    </message>
    <message>
        <source>--rounding takes floor, round or ceil, not &apos;%1&apos;</source>
        <translation>--rounding には floor、round、ceil のどれかを指定してください (指定:「%1」)。</translation>
    </message>
    <message>
        <source>--exclusive-label takes zeinuki (税抜) or hontai (本体価格), not &apos;%1&apos;</source>
        <translation>--exclusive-label には zeinuki (税抜) か hontai (本体価格) を指定してください (指定:「%1」)。</translation>
    </message>
    <message>
        <source>--label-size is for a tag written to a file of its own; a sheet&apos;s or a printer&apos;s labels have their own size</source>
        <translation>--label-size はファイルに書き込む値札用です。ラベル用紙やプリンターのラベルには、それぞれの大きさがあります。</translation>
    </message>
    <message>
        <source>--label-size takes WxH in mm, each 10 to 1000, as 40x30, not &apos;%1&apos;</source>
        <translation>--label-size には mm で WxH を、それぞれ 10 から 1000 まで、40x30 のように指定してください (指定:「%1」)。</translation>
    </message>
    <message>
        <source>--%1 goes with --instore FORMAT</source>
        <translation>--%1 は --instore FORMAT と一緒に指定します。</translation>
    </message>
    <message>
        <source>--instore takes %1, not &apos;%2&apos;</source>
        <translation>--instore には %1 を指定してください (指定:「%2」)。</translation>
    </message>
    <message>
        <source>--instore %1 holds the tag&apos;s price: give --design price or shelf, and the price</source>
        <translation>--instore %1 のコードには値札の価格が入ります。--design price か shelf と、価格を指定してください。</translation>
    </message>
    <message>
        <source>--instore-prefix of %1 takes %2, not &apos;%3&apos;</source>
        <translation>--instore-prefix には、%1 では %2 を指定してください (指定:「%3」)。</translation>
    </message>
    <message>
        <source>02 or 20 to 29</source>
        <translation>02 か 20 から 29</translation>
    </message>
    <message>
        <source>--item is for one tag; a list gives each line&apos;s in a column 品番 or 商品コード</source>
        <translation>--item は値札 1 枚用です。一覧では各行の品番を列 品番 か 商品コード で指定します。</translation>
    </message>
    <message>
        <source>--instore %1 makes the code from the shop&apos;s item number: give --item N</source>
        <translation>--instore %1 は店の品番からコードを作ります。--item N を指定してください。</translation>
    </message>
    <message>
        <source>--%1 is for one tag; a list gives each line&apos;s price in a column 売価, 税込価格 or 価格, or 税抜価格 or 本体価格</source>
        <translation>--%1 は値札 1 枚用です。一覧では各行の価格を列 売価、税込価格、価格、または 税抜価格、本体価格 で指定します。</translation>
    </message>
    <message>
        <source>give the tag&apos;s price once: --price (without tax) or --price-with-tax, not both</source>
        <translation>値札の価格は --price (税抜) か --price-with-tax のどちらか一方で指定してください。</translation>
    </message>
    <message>
        <source>a tag needs its price: --price YEN (without tax, 本体価格) or --price-with-tax YEN</source>
        <translation>値札には価格が必要です: --price YEN (税抜、本体価格) か --price-with-tax YEN を指定してください。</translation>
    </message>
    <message>
        <source>20 to 29</source>
        <translation>20 から 29</translation>
    </message>
</context>
<context>
    <name>symbol</name>
    <message>
        <source>&apos;%1&apos; is not a digit 0-9 (only an ISBN-10 may end in X)</source>
        <translation>「%1」は 0-9 の数字ではありません (X で終わってよいのは ISBN-10 だけです)。</translation>
    </message>
    <message>
        <source>wrong check digit: an ISBN-10 of %1 ends in %2, not %3</source>
        <translation>チェックデジットが違います。%1 で始まる ISBN-10 の最後は %2 で、%3 ではありません。</translation>
    </message>
    <message>
        <source>%1 digits; an ISBN has 13 (978 or 979 first) or 10</source>
        <translation>%1 桁です。ISBN は 13 桁 (978 か 979 で始まる) か 10 桁です。</translation>
    </message>
    <message>
        <source>an ISBN of 13 digits starts with 978 or 979, not %1</source>
        <translation>13 桁の ISBN は 978 か 979 で始まります。%1 ではありません。</translation>
    </message>
    <message>
        <source>wrong check digit: the 13th digit is %1, but for %2 it must be %3, which makes %4</source>
        <translation>チェックデジットが違います。13 桁目は %1 ですが、%2 のチェックデジットは %3 で、ISBN は %4 になります。</translation>
    </message>
    <message>
        <source>ISBN %1: %2</source>
        <translation>ISBN %1 を受け付けません: %2</translation>
    </message>
    <message>
        <source>classification code %1: give C and four digits 0-9, as C0095</source>
        <translation>Cコード %1: C と 4 桁の数字 (0-9) を C0095 のように入力してください。</translation>
    </message>
    <message>
        <source>price %1: a price is 0 yen or more</source>
        <translation>価格 %1: 価格は 0 円以上です。</translation>
    </message>
    <message>
        <source>price %1: give the price before tax in whole yen, digits 0-9 only</source>
        <translation>価格 %1: 税抜の価格を円単位で、数字 (0-9) だけで入力してください。</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is no 日本図書コード</source>
        <translation>「%1」は日本図書コードではありません。</translation>
    </message>
    <message>
        <source>%1 or %2</source>
        <translation>%1 または %2</translation>
    </message>
    <message>
        <source>an in-store code %1 begins with 02 or 20 to 29, not %2</source>
        <translation>インストアコード %1 は 02 または 20 から 29 で始まります。%2 ではありません。</translation>
    </message>
    <message>
        <source>an in-store code %1 begins with 20 to 29, not %2</source>
        <translation>インストアコード %1 は 20 から 29 で始まります。%2 ではありません。</translation>
    </message>
    <message>
        <source>the item number of an in-store code %1 is 1 to %2 digits, not &apos;%3&apos;</source>
        <translation>インストアコード %1 の品番は 1 桁から %2 桁です。「%3」ではありません。</translation>
    </message>
    <message>
        <source>an in-store code %1 holds a price of %2 digits, at most %3 yen, not %4</source>
        <translation>インストアコード %1 に入る価格は %2 桁、%3 円までです。%4 ではありません。</translation>
    </message>
    <message>
        <source>a JAN</source>
        <translation>JANコード</translation>
    </message>
    <message>
        <source>a short JAN (--symbol jan8)</source>
        <translation>短縮JANコード (--symbol jan8)</translation>
    </message>
    <message>
        <source>UPC-A</source>
        <translation>UPC-A コード</translation>
    </message>
    <message>
        <source>UPC-E</source>
        <translation>UPC-E コード</translation>
    </message>
    <message>
        <source>ITF-14</source>
        <translation>集合包装用コード (ITF-14)</translation>
    </message>
    <message>
        <source>the book JAN (--symbol book)</source>
        <translation>書籍JANコード (--symbol book)</translation>
    </message>
</context>
<context>
    <name>verify</name>
    <message>
        <source>several symbols (%1): scan or crop one at a time</source>
        <translation>記号が複数あります (%1)。1 つずつスキャンするか、1 つだけ切り抜いてください</translation>
    </message>
    <message>
        <source>bars that read, but no quiet zone beside them</source>
        <translation>バーは読み取れますが、その横に余白がありません</translation>
    </message>
    <message>
        <source>nothing reads as an EAN-13, EAN-8 or UPC-A symbol: the scan is blank</source>
        <translation>JANコード、短縮JANコード、UPC-A として読み取れるものがありません: スキャン画像は白紙です</translation>
    </message>
    <message>
        <source>contrast too low: no row of the scan holds more than %1 % between its darkest and its lightest, and %2 % is the least read</source>
        <translation>コントラストが低すぎます: スキャン画像のどの行も最も暗い所と最も明るい所の差が %1 % 以下で、読み取るには %2 % 以上が必要です</translation>
    </message>
    <message>
        <source>nothing reads as an EAN-13, EAN-8 or UPC-A symbol</source>
        <translation>JANコード、短縮JANコード、UPC-A として読み取れるものがありません</translation>
    </message>
    <message>
        <source>%1; small symbols may be too small at %2 dpi: scan at 600 dpi or more</source>
        <translation>%1。小さな記号は %2 dpi では小さすぎるかもしれません: 600 dpi 以上でスキャンしてください</translation>
    </message>
    <message>
        <source>the symbol is too small at this resolution: its module is %1 pixels, and at least %2 are needed (scan at %3 dpi or more)</source>
        <translation>この解像度では記号が小さすぎます: モジュール幅が %1 画素で、%2 画素以上が必要です (%3 dpi 以上でスキャンしてください)</translation>
    </message>
    <message>
        <source>%1  grade %2 (%3)   scan line %4 of %5: reflectance through a %6 mm aperture</source>
        <translation>%1  印刷品質グレード %2 (%3)   走査線 %4 / %5: %6 mm のアパーチャで見た反射率</translation>
    </message>
    <message>
        <source>threshold %1%</source>
        <translation>しきい値 %1%</translation>
    </message>
    <message>
        <source>element widths in modules (X = %1 mm); edges where the profile crosses the threshold</source>
        <translation>エレメントの幅 (モジュール数、X = %1 mm)。エッジはプロファイルがしきい値を横切る位置</translation>
    </message>
    <message>
        <source>grades of the %1 scan lines:</source>
        <translation>走査線 %1 本のグレード:</translation>
    </message>
    <message>
        <source>SC %1%  ECmin %2%  MOD %3  defects %4  decodability %5</source>
        <translation>シンボルコントラスト %1%  最小エッジコントラスト %2%  モジュレーション %3  欠陥 %4  デコーダビリティ %5</translation>
    </message>
    <message>
        <source>A scan gives an estimate, not a calibrated verifier&apos;s grade: the scanner&apos;s
light, its optics and its grey levels stand in for a verifier&apos;s 660 nm light,
0.15 mm aperture and reflectance calibration.
</source>
        <translation>スキャン画像から得られるのは目安で、校正された検証機のグレードではありません。
検証機の 660 nm の光、0.15 mm のアパーチャ、反射率の校正の代わりに、
スキャナーの光、光学系、階調を使っています。
</translation>
    </message>
    <message>
        <source>X %1 mm is %2 % of 0.33 mm, outside %3 to %4 %</source>
        <translation>モジュール幅 (X) %1 mm は 0.33 mm の %2 % で、%3 〜 %4 % の範囲外です</translation>
    </message>
    <message>
        <source>bars %1 mm, short of the nominal %2 mm at this X (%3 %)</source>
        <translation>バーの高さ %1 mm は、この X での規定の %2 mm に足りません (規定の %3 %)</translation>
    </message>
    <message>
        <source>quiet zones %1 X and %2 X, %3 X and %4 X needed</source>
        <translation>余白は %1 X と %2 X で、%3 X と %4 X が必要です</translation>
    </message>
    <message>
        <source>Verdict   does not hold the expected %1
</source>
        <translation>判定              指定の %1 ではありません。
</translation>
    </message>
    <message>
        <source>Verdict   below GS1&apos;s 1.5 for retail
</source>
        <translation>判定              小売用に GS1 が求める 1.5 に届きません (不適合)。
</translation>
    </message>
    <message>
        <source>Verdict   meets GS1&apos;s 1.5 for retail, its dimensions too
</source>
        <translation>判定              小売用に GS1 が求める 1.5 を満たし、寸法も適合しています。
</translation>
    </message>
    <message>
        <source>Verdict   grade 1.5 met, but its dimensions fall short of GS1&apos;s for retail
</source>
        <translation>判定              グレード 1.5 は満たしますが、寸法が小売用の GS1 の基準に届きません。
</translation>
    </message>
    <message>
        <source>&gt;= %1 X (%2 mm), needs %3 X</source>
        <translation>%1 X 以上 (%2 mm、必要なのは %3 X)</translation>
    </message>
    <message>
        <source>%1 X (%2 mm), needs %3 X</source>
        <translation>%1 X (%2 mm、必要なのは %3 X)</translation>
    </message>
    <message>
        <source>Symbol    %1 %2, upside down, turned %3 degrees
</source>
        <translation>記号              %1 %2 (上下逆さま、%3 度傾いています)
</translation>
    </message>
    <message>
        <source>Symbol    %1 %2, upside down
</source>
        <translation>記号              %1 %2 (上下逆さま)
</translation>
    </message>
    <message>
        <source>Symbol    %1 %2, turned %3 degrees
</source>
        <translation>記号              %1 %2 (%3 度傾いています)
</translation>
    </message>
    <message>
        <source>Symbol    %1 %2
</source>
        <translation>記号              %1 %2
</translation>
    </message>
    <message>
        <source>Scan      %1 at %2 dpi
</source>
        <translation>スキャン画像      %1 (%2 dpi)
</translation>
    </message>
    <message>
        <source>No symbol: %1
</source>
        <translation>記号が見つかりません: %1。
</translation>
    </message>
    <message>
        <source>Grade     %1 (%2): meets 1.5
</source>
        <translation>印刷品質グレード  %1 (%2): 1.5 を満たしています
</translation>
    </message>
    <message>
        <source>Grade     %1 (%2): below 1.5
</source>
        <translation>印刷品質グレード  %1 (%2): 1.5 に届きません
</translation>
    </message>
    <message>
        <source>Size      X, bar height and quiet zones as GS1 asks for retail
</source>
        <translation>寸法              モジュール幅 (X)、バーの高さ、余白とも小売用に GS1 が求める通りです。
</translation>
    </message>
    <message>
        <source>%1; %2</source>
        <translation>%1。%2</translation>
    </message>
    <message>
        <source>Size      %1
</source>
        <translation>寸法              %1。
</translation>
    </message>
    <message>
        <source>          scan lines read different data, which fails the symbol
</source>
        <translation>                  走査線ごとに読み取ったデータが違うため、この記号は不合格です。
</translation>
    </message>
    <message>
        <source>Line  Decode  Rmin  Rmax   SC   ECmin  MOD   Defects  Decodability  Grade
</source>
        <translation>走査線 読み取り Rmin Rmax   SC   ECmin  MOD   欠陥     デコーダビリティ グレード
</translation>
    </message>
    <message>
        <source>      quiet zones %1 X and %2 X: too narrow
</source>
        <translation>      余白が %1 X と %2 X で、狭すぎます。
</translation>
    </message>
    <message>
        <source>      does not decode
</source>
        <translation>      読み取れません。
</translation>
    </message>
    <message>
        <source>Module X     %1 mm (magnification %2 %)
</source>
        <translation>モジュール幅 (X)  %1 mm (倍率 %2 %)
</translation>
    </message>
    <message>
        <source>             far from 80 to 200 %: is %1 dpi the scan&apos;s resolution? --dpi sets it
</source>
        <translation>                  80 〜 200 % から大きく外れています。スキャン画像の解像度は本当に %1 dpi ですか? --dpi で指定できます。
</translation>
    </message>
    <message>
        <source>Bar height   %1 mm, nominal %2 mm at this magnification
</source>
        <translation>バーの高さ        %1 mm (この倍率での規定は %2 mm)
</translation>
    </message>
    <message>
        <source>Quiet zones  left %1; right %2
</source>
        <translation>余白              左 %1 / 右 %2
</translation>
    </message>
    <message>
        <source>Bar growth   %1 um: print with --bwr %2
</source>
        <translation>バーの太り        %1 um: --bwr %2 (バー幅補正) を付けて印刷してください
</translation>
    </message>
    <message>
        <source>Bar growth   %1 um: no --bwr (bars are not wider than drawn)
</source>
        <translation>バーの太り        %1 um: --bwr (バー幅補正) は不要です (バーは描いた幅より太っていません)
</translation>
    </message>
    <message>
        <source>Expected     %1: matches
</source>
        <translation>指定の数字        %1: 一致しています
</translation>
    </message>
    <message>
        <source>Expected     %1: does NOT match
</source>
        <translation>指定の数字        %1: 一致しません
</translation>
    </message>
    <message>
        <source>
Ten scan lines across the middle 80 percent of the bar height, each the mean
reflectance through a circle of 0.15 mm, reflectance being the grey level
over 255 (a colour scan&apos;s red channel). Each line is graded A to F for
decode (with the quiet zones), symbol contrast, minimum reflectance, edge
contrast, modulation, defects and decodability, and takes its lowest grade;
the symbol&apos;s grade is their average, written grade/aperture/wavelength
(e.g. 2.8/06/660). GS1 asks 1.5 or better for retail, and beside the grade
an X of 80 to 200 percent of 0.33 mm, bars of their full height for that X,
and both quiet zones: the report says each apart.

</source>
        <translation>
バーの高さの中央 80 % に 10 本の走査線を引き、それぞれ直径 0.15 mm の円で見た
反射率の平均を取ります。反射率は階調を 255 で割ったものです (カラーのスキャン画像は
赤のチャンネル)。走査線ごとに、読み取り (余白を含む)、シンボルコントラスト、
最小反射率、エッジコントラスト、モジュレーション、欠陥、デコーダビリティを
A 〜 F で評価し、最も低いものをその走査線のグレードとします。記号の印刷品質
グレードはその平均で、グレード/アパーチャ/波長 (例: 2.8/06/660) と書きます。
小売用に GS1 が求めるのは 1.5 以上で、そのほかにモジュール幅 (X) が 0.33 mm の
80 〜 200 %、その X での規定の高さのバー、両側の余白です。レポートはそれぞれを
分けて示します。

</translation>
    </message>
    <message>
        <source>
Exit status:
  0  the symbol meets 1.5, its X, bar height and quiet zones meet GS1&apos;s for
     retail (and it holds the --expect digits)
  1  usage: the command line cannot be followed
  3  the plot cannot be written
  5  the symbol is below 1.5 or holds other digits than --expect
  6  no symbol found: none reads, contrast too low, no quiet zone, too small
     at this resolution, or several symbols
  7  the scan cannot be read
  8  the grade meets 1.5, but X is outside 80 to 200 percent, the bars are
     cut short of their nominal height, or a quiet zone is too narrow
</source>
        <translation>
終了ステータス:
  0  記号が 1.5 を満たし、モジュール幅 (X)、バーの高さ、余白も小売用の GS1 の
     基準に適合しています (--expect の数字も一致)
  1  使い方の誤り: コマンドラインの指定どおりに実行できません
  3  プロット図を書き込めません
  5  記号が 1.5 に届かないか、--expect と違う数字です
  6  記号が見つかりません: 読み取れない、コントラストが低すぎる、余白がない、
     この解像度では小さすぎる、または記号が複数ある
  7  スキャン画像を読み込めません
  8  グレードは 1.5 を満たしますが、X が 80 〜 200 % の範囲外、バーが規定の高さ
     より短い、または余白が狭すぎます
</translation>
    </message>
    <message>
        <source>at most %1 million pixels are read (an A4 or Letter page at 1200 dpi)</source>
        <translation>読み込めるのは %1 メガピクセルまでです (1200 dpi の A4 か Letter の 1 ページ分)</translation>
    </message>
    <message>
        <source>not a picture (PNG, BMP, TIFF, JPEG or PDF)</source>
        <translation>画像ではありません (PNG、BMP、TIFF、JPEG、PDF が読めます)。</translation>
    </message>
    <message>
        <source>it is %1 x %2 pixels (%3 million); %4</source>
        <translation>%1 x %2 画素 (%3 メガピクセル) あります。%4。</translation>
    </message>
    <message>
        <source>it does not state its resolution: give the resolution it was scanned at with --dpi</source>
        <translation>解像度が記録されていません: スキャンしたときの解像度を --dpi で指定してください。</translation>
    </message>
    <message>
        <source>it states %1 dpi, outside %2 to %3: give the resolution it was scanned at with --dpi</source>
        <translation>記録された解像度 %1 dpi は %2 〜 %3 の範囲外です: スキャンしたときの解像度を --dpi で指定してください。</translation>
    </message>
    <message>
        <source>the picture is damaged: it is shorter than its header says (cut short?)</source>
        <translation>画像が壊れています: ヘッダーが示すより短いファイルです (途中で切れていませんか?)。</translation>
    </message>
    <message>
        <source>the picture cannot be read: %1</source>
        <translation>画像を読み込めません: %1</translation>
    </message>
    <message>
        <source>the picture is damaged: %1</source>
        <translation>画像が壊れています: %1</translation>
    </message>
    <message>
        <source>it is a folder, not a scan</source>
        <translation>フォルダーです。スキャン画像ではありません。</translation>
    </message>
    <message>
        <source>it is a device, not a scan</source>
        <translation>デバイスです。スキャン画像ではありません。</translation>
    </message>
    <message>
        <source>it is a socket, not a scan</source>
        <translation>ソケットです。スキャン画像ではありません。</translation>
    </message>
    <message>
        <source>at most %1 MiB are read (an A4 or Letter page at 1200 dpi, uncompressed)</source>
        <translation>読み込めるのは %1 MiB までです (1200 dpi の A4 か Letter の 1 ページ分、非圧縮)</translation>
    </message>
    <message>
        <source>the standard input is closed</source>
        <translation>標準入力が閉じています。</translation>
    </message>
    <message>
        <source>it is a loop of symbolic links</source>
        <translation>シンボリックリンクが循環しています。</translation>
    </message>
    <message>
        <source>it is %1 MiB; %2</source>
        <translation>%1 MiB あります。%2。</translation>
    </message>
    <message>
        <source>it is larger than %1 MiB; %2</source>
        <translation>%1 MiB より大きいファイルです。%2。</translation>
    </message>
    <message>
        <source>the pipe or fifo gave nothing</source>
        <translation>パイプか FIFO から何も届きませんでした。</translation>
    </message>
    <message>
        <source>it is empty</source>
        <translation>空のファイルです。</translation>
    </message>
    <message>
        <source>the PDF cannot be put aside for pdftoppm: %1</source>
        <translation>pdftoppm に渡すための PDF の一時ファイルを作れません: %1</translation>
    </message>
    <message>
        <source>reading a PDF needs pdfinfo and pdftoppm (poppler-utils)</source>
        <translation>PDF を読むには pdfinfo と pdftoppm (poppler-utils) が必要です。</translation>
    </message>
    <message>
        <source>pdfinfo could not read it: %1</source>
        <translation>pdfinfo が読み込めませんでした: %1</translation>
    </message>
    <message>
        <source>pdfinfo does not tell the size of its first page</source>
        <translation>pdfinfo が 1 ページ目の大きさを示しません。</translation>
    </message>
    <message>
        <source>its first page, %1 x %2 mm, is %3 x %4 pixels at %5 dpi (%6 million); %7: give a lower --dpi</source>
        <translation>1 ページ目は %1 x %2 mm で、%5 dpi では %3 x %4 画素 (%6 メガピクセル) になります。%7: --dpi に低い値を指定してください。</translation>
    </message>
    <message>
        <source>reading a PDF needs pdftoppm (poppler-utils)</source>
        <translation>PDF を読むには pdftoppm (poppler-utils) が必要です。</translation>
    </message>
    <message>
        <source>pdftoppm could not read it: %1</source>
        <translation>pdftoppm が読み込めませんでした: %1</translation>
    </message>
    <message>
        <source>pdftoppm&apos;s page cannot be read: %1</source>
        <translation>pdftoppm が書き出したページを読み込めません: %1</translation>
    </message>
    <message>
        <source>not a picture</source>
        <translation>画像ではありません。</translation>
    </message>
    <message>
        <source>there is not enough memory for it</source>
        <translation>読み込むためのメモリーが足りません。</translation>
    </message>
    <message>
        <source>the scan states no usable resolution: give --dpi</source>
        <translation>スキャン画像に使える解像度が記録されていません: --dpi で指定してください</translation>
    </message>
    <message>
        <source>cannot write the report to the standard output: %1</source>
        <translation>レポートを標準出力に書き込めません: %1。</translation>
    </message>
    <message>
        <source>cannot write the report to the standard error: %1</source>
        <translation>レポートを標準エラー出力に書き込めません: %1。</translation>
    </message>
    <message>
        <source>%1 is the scan being graded; it is never replaced</source>
        <translation>%1 は評価中のスキャン画像です。上書きはしません。</translation>
    </message>
    <message>
        <source>the picture cannot be made</source>
        <translation>プロット図を作れません。</translation>
    </message>
    <message>
        <source>Try &apos;stripewell-render --verify --help&apos;.
</source>
        <translation>詳しくは &apos;stripewell-render --verify --help&apos; をご覧ください。
</translation>
    </message>
    <message>
        <source>Grades a scanned EAN-13, EAN-8 or UPC-A symbol as a bar code verifier does
(ten scan lines, 0.15 mm aperture), with the printer&apos;s module, bar height,
quiet zones and ink spread. A scan gives an estimate, not a calibrated
verifier&apos;s grade.</source>
        <translation>スキャンした JANコード、短縮JANコード、UPC-A の記号の印刷品質グレードを、
バーコード検証機と同じ方法 (走査線 10 本、0.15 mm のアパーチャ) で評価し、
プリンターのモジュール幅、バーの高さ、余白、バーの太りも測ります。スキャン画像から
得られるのは目安で、校正された検証機のグレードではありません。</translation>
    </message>
    <message>
        <source>The scan: png, bmp, tiff, jpeg, or pdf (first page, through pdftoppm); &quot;-&quot; is standard input. At most %1 MiB and %2 million pixels (an A4 or Letter page at 1200 dpi).</source>
        <translation>スキャン画像: png、bmp、tiff、jpeg、pdf (1 ページ目を pdftoppm で読みます)。&quot;-&quot; は標準入力です。%1 MiB、%2 メガピクセルまで (1200 dpi の A4 か Letter の 1 ページ分) 読み込めます。</translation>
    </message>
    <message>
        <source>The scan&apos;s resolution, %1 to %2: needed when the file does not state it, and taken instead of what it states (pdf: the resolution to read it at, default %3).</source>
        <translation>スキャン画像の解像度 (%1 〜 %2)。ファイルに記録がないときは必要で、記録があってもこちらを使います (pdf: 読み込む解像度、既定は %3)。</translation>
    </message>
    <message>
        <source>The digits the symbol must hold.</source>
        <translation>記号が表すはずの数字。</translation>
    </message>
    <message>
        <source>The report as JSON, for scripts.</source>
        <translation>レポートをスクリプト向けの JSON で出します。</translation>
    </message>
    <message>
        <source>Draw the middle scan line&apos;s reflectance profile into FILE.png; &quot;-&quot; is standard output (the report then goes to standard error).</source>
        <translation>中央の走査線の反射率プロファイルを FILE.png に描きます。&quot;-&quot; は標準出力です (そのときレポートは標準エラー出力に出します)。</translation>
    </message>
    <message>
        <source>Replace a file that has the plot&apos;s name (never the scan, nor a read-only file).</source>
        <translation>プロット図と同じ名前のファイルを上書きします (スキャン画像と読み取り専用のファイルは上書きしません)。</translation>
    </message>
    <message>
        <source>Show this help.</source>
        <translation>このヘルプを表示します。</translation>
    </message>
    <message>
        <source>unexpected argument: %1</source>
        <translation>余分な引数があります: %1。</translation>
    </message>
    <message>
        <source>--verify needs a scan</source>
        <translation>--verify にはスキャン画像の指定が必要です。</translation>
    </message>
    <message>
        <source>--dpi takes %1 to %2 dots per inch, not &apos;%3&apos;</source>
        <translation>--dpi に指定できるのは %1 〜 %2 dpi です。「%3」は受け付けません。</translation>
    </message>
    <message>
        <source>--force goes with --plot</source>
        <translation>--force は --plot と一緒に指定してください。</translation>
    </message>
    <message>
        <source>--expect takes digits only</source>
        <translation>--expect には数字だけを指定してください。</translation>
    </message>
    <message>
        <source>cannot write the plot: the standard output is closed</source>
        <translation>プロット図を書き込めません: 標準出力が閉じています。</translation>
    </message>
    <message>
        <source>cannot write the report: the standard output is closed</source>
        <translation>レポートを書き込めません: 標準出力が閉じています。</translation>
    </message>
    <message>
        <source>(standard input)</source>
        <translation>(標準入力)</translation>
    </message>
    <message>
        <source>the plot is not written: %1</source>
        <translation>プロット図は書き込んでいません: %1</translation>
    </message>
    <message>
        <source>%1</source>
        <comment>the system&apos;s reason the scan cannot be opened</comment>
        <translation>開けません: %1</translation>
    </message>
    <message>
        <source>%1</source>
        <comment>the system&apos;s reason the scan cannot be read</comment>
        <translation>読み込めません: %1</translation>
    </message>
</context>
</TS>
