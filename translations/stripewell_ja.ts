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
        <translation>バイト順マークは %1 を示していますが、その後のテキストは %1 ではありません (UTF-16 のようにゼロのバイトを含んでいます)。実際のエンコーディングで読むには --encoding NAME を指定してください。</translation>
    </message>
    <message>
        <source>its byte order mark says %1, but the text after it is not %1 (it holds no zero byte, as UTF-16 text does); give --encoding NAME to read it as what it is</source>
        <translation>バイト順マークは %1 を示していますが、その後のテキストは %1 ではありません (UTF-16 のテキストなら含むゼロのバイトがありません)。実際のエンコーディングで読むには --encoding NAME を指定してください。</translation>
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
        <translation>%1。また %2 行目では %3。この一覧は UTF-8 でも Shift_JIS でもないため、まったく読み込んでいません。どちらかとして読むには --encoding NAME (UTF-8, UTF-16LE, UTF-16BE, Shift_JIS) を指定してください。そのエンコーディングで読めない行は受け付けません。</translation>
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
        <translation>用紙ファイル %1 を読み取れません: %2</translation>
    </message>
    <message>
        <source>it is %1; a sheet file is a small text file</source>
        <translation>%1です。用紙ファイルは小さなテキストファイルです。</translation>
    </message>
    <message>
        <source>it is longer than %1 KiB; a sheet file holds a few lines</source>
        <translation>%1 KiB より大きなファイルです。用紙ファイルは数行だけのものです。</translation>
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
</TS>
