<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP" sourcelanguage="en">
<context>
    <name>render</name>
    <message>
        <source>Try &apos;stripewell-render --help&apos;.</source>
        <translation>詳しくは &apos;stripewell-render --help&apos; をご覧ください。</translation>
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
