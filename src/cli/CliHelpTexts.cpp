#include "CliHelpTexts.h"

#include "shell/TextPairs.h"

#include <QHash>

namespace zel::cli {

namespace {

constexpr TextPair kHelpTexts[] = {
    // The help's own words.
    {u"Usage: zelctl [global options] COMMAND [arguments]\n\nGlobal options:\n",
     u"使い方: zelctl [共通オプション] COMMAND [引数]\n\n共通オプション:\n"},
    {u"  --help, --version\n\nCommands:\n", u"  --help, --version\n\nコマンド:\n"},
    {u"\nzelctl COMMAND --help explains one command and its options.\n",
     u"\nzelctl COMMAND --help でコマンドとそのオプションを説明します。\n"},
    {u"Exit status: 0 success, 1 the operation ended with a message, 2 usage error,\n"
     u"128 + N ended by signal N (130 Ctrl-C).\n",
     u"終了コード: 0 成功、1 メッセージを表示して終了、2 使い方の誤り、\n"
     u"128 + N シグナル N で終了 (130 Ctrl-C)。\n"},
    {u"Usage: ", u"使い方: "},
    {u"zelctl [global options] ", u"zelctl [共通オプション] "},
    {u"Options:\n", u"オプション:\n"},
    {u"The global options (--folder, --port, --rate, --lang, --yes, --quiet) are described in "
     u"zelctl --help.",
     u"共通オプション (--folder, --port, --rate, --lang, --yes, --quiet) は zelctl --help "
     u"で説明しています。"},
    {u" (default: %1)", u" (既定値: %1)"},
    // The commands' and options' descriptions; a command's description paragraph by paragraph.
    {u"program folder holding zel.ini and the boot programs (default: the executable's folder, or "
     u"~/.config/zel when that cannot be written)",
     u"zel.ini とブートプログラムのあるプログラムフォルダ (既定値: "
     u"実行ファイルのフォルダ、書き込めない場合は ~/.config/zel)"},
    {u"serial device path (/dev/ttyUSB0), COMn, or a serial device server's port: tcp://HOST:PORT "
     u"(raw) or rfc2217://HOST:PORT; without it the port of zel.ini (COM1 = /dev/ttyS0). zelctl "
     u"ports lists the ports",
     u"シリアルデバイスのパス (/dev/ttyUSB0)、COMn、またはシリアルデバイスサーバのポート: "
     u"tcp://HOST:PORT (raw) か rfc2217://HOST:PORT。省略時は zel.ini のポート (COM1 = "
     u"/dev/ttyS0)。zelctl ports でポートの一覧を表示"},
    {u"line speed: 4800, 9600, 19200 or 38400 (default: zel.ini's)",
     u"通信速度: 4800、9600、19200、38400 のいずれか (既定値: zel.ini の値)"},
    {u"language of messages, progress, file labels and the title table (default: zel.ini's "
     u"[LANGUAGE] Mode)",
     u"メッセージ、進捗、ファイルの見出し、タイトルテーブルの言語 (既定値: zel.ini の [LANGUAGE] "
     u"Mode)"},
    {u"answer Yes to the questions a screen would ask (default: No)",
     u"画面で確認される質問に「はい」と回答 (既定値: いいえ)"},
    {u"no progress lines", u"進捗を表示しない"},
    {u"download copies the 32000 bytes of settings of one camera into FILE; the blocks are kept in "
     u"FILE.partial as they arrive and FILE is replaced only by a complete copy. The completion "
     u"line goes to stdout alone, then \"file written: FILE\" to stderr. With a LIST of cameras "
     u"(1-8,12) every camera goes into its own file of DIR (cam001.bin ...), with a summary at the "
     u"end.",
     u"download はカメラ 1 台の設定 32000 バイトを FILE に保存します。受信したブロックは "
     u"FILE.partial に保存し、すべて揃ったときだけ FILE を置き換えます。完了の行は stdout "
     u"に、続いて \"書き込んだファイル: FILE\" を stderr に出力します。カメラを LIST (1-8,12) "
     u"で指定すると、カメラごとに DIR のファイル (cam001.bin ...) "
     u"に保存し、最後に集計を表示します。"},
    {u"upload writes FILE (32000 bytes) back into the camera and then reads it back to compare.",
     u"upload は FILE (32000 バイト) をカメラに書き込み、読み戻して照合します。"},
    {u"diff compares two backup files block by block, or with --camera and --remote a backup file "
     u"with the camera (read only): one line per differing block, then a summary; exit 0 when "
     u"identical, 1 when they differ, 2 on bad input or when the camera could not be read.",
     u"diff は 2 つのバックアップファイルをブロックごとに比較します。--camera と --remote "
     u"を指定するとバックアップファイルとカメラを比較します (読み出しのみ)。違いのあるブロックを 1 "
     u"行ずつ表示し、最後に集計を表示します。終了コードは一致で 0、相違ありで "
     u"1、入力の誤りまたはカメラを読み出せない場合は 2 です。"},
    {u"camera number, 1 to 255; download also takes a LIST such as 1-8,12",
     u"カメラ番号、1～255。download では 1-8,12 のような LIST も指定可"},
    {u"remote number of the camera controller, 1 to 99",
     u"カメラコントローラのリモート番号、1～99"},
    {u"do not read the camera back after the upload to compare it with FILE (faster; a write fault "
     u"goes unnoticed)",
     u"アップロード後にカメラを読み戻して FILE と照合しない "
     u"(速くなるが、書き込みの異常を検出できない)"},
    {u"one line per differing byte: offset and both values",
     u"違いのあるバイトを 1 行ずつ表示: オフセットと両方の値"},
    {u"check reads a communication test file as the screen's File > Open does and prints its rows. "
     u"run sends the used rows to the camera, printing each row with its reply (number, letter, "
     u"sent, reply; tab-separated); the rows done show as progress on stderr.",
     u"check は通信テストファイルを画面の File > Open と同じように読み込み、行を表示します。run "
     u"は使用する行をカメラに送信し、行ごとに応答とともに表示します (番号、文字、送信、応答; "
     u"タブ区切り)。送信済みの行は stderr に進捗として表示します。"},
    {u"write the rows read back out as a send-data file",
     u"読み込んだ行を送信データファイルとして書き出す"},
    {u"how many times the rows are sent, 1 to 1000000", u"行を送信する回数、1～1000000"},
    {u"write the rows with their replies as a result file",
     u"行と応答を結果ファイルとして書き出す"},
    {u"Writes the application program FILE.mot (S-records) into the flash memory of a camera CPU "
     u"held in boot mode, at 19200 bps 8N1 on --port. The boot program of the CPU type is read "
     u"from the program folder (--folder): ZARNIPEX2633.MOT for the master, ZARNIPEX2398.MOT for "
     u"the slave. zelctl srec --info FILE.mot shows whether a file fits.",
     u"ブートモードにしたカメラ CPU のフラッシュメモリに、アプリケーションプログラム FILE.mot (S "
     u"レコード) を --port から 19200 bps 8N1 で書き込みます。CPU "
     u"の種類に応じたブートプログラムをプログラムフォルダ (--folder) から読み込みます: マスタは "
     u"ZARNIPEX2633.MOT、スレーブは ZARNIPEX2398.MOT。ファイルが収まるかどうかは zelctl srec "
     u"--info FILE.mot で確認できます。"},
    {u"which CPU of the camera is in boot mode", u"ブートモードにしたカメラの CPU"},
    {u"Prints the frame that would be sent to camera CAMERA (0 to 255) of remote REMOTE (1 to 99) "
     u"with DATAHEX; nothing is sent.",
     u"リモート REMOTE (1～99) のカメラ CAMERA (0～255) に DATAHEX "
     u"を送る場合のフレームを表示します。送信はしません。"},
    {u"a read request: the camera would answer with data",
     u"読み出し要求: カメラはデータで応答する"},
    {u"Prints the unit, the data and the meaning of every frame of a traffic log saved by the "
     u"communication log window, one tab-separated line each.",
     u"通信ログ画面で保存した通信ログの各フレームについて、ユニット、データ、意味をタブ区切りで 1 "
     u"行ずつ表示します。"},
    {u"Drives a camera as the operation panel does: one line per frame sent (its command data in "
     u"hex). Each frame goes out once the camera answered the one before; time passes only at "
     u"wait: and at the end. With - the events come from stdin line by line as they arrive, until "
     u"stdin ends. Whatever ends a run, a camera still moving is sent the stop first.",
     u"操作パネルと同じようにカメラを操作します。送信したフレームごとに 1 行 (コマンドデータを 16 "
     u"進) を表示します。各フレームはカメラが前のフレームに応答してから送信し、時間が経過するのは "
     u"wait: と最後だけです。- を指定するとイベントを stdin から 1 行ずつ、stdin "
     u"が終わるまで読み込みます。どのように終了しても、動作中のカメラにはまず停止を送信します。"},
    {u"Events:", u"イベント:"},
    {u"press:K, release:K: hold and let go of a movement key K: af down down-left down-right far "
     u"left near right tele up up-left up-right wide.",
     u"press:K, release:K: 移動キー K を押す、離す: af down down-left down-right far left near "
     u"right tele up up-left up-right wide。"},
    {u"click:NAME: a click on a panel key NAME: 0 1 2 3 4 5 6 7 8 9 alarm-action alarm-reset autop "
     u"autopan-l-cl autopan-l-set autopan-r-cl autopan-r-set aux1-off aux1-on aux2-off aux2-on "
     u"aux3-off aux3-on aux4-off aux4-on aux5-off aux5-on bw-off bw-on bw-reset c cam go "
     u"irs-bright irs-dark irs-reset menu now pos position-clear position-set rec recstop set stop "
     u"tour trace trace-clear turn-clear turn-d-set turn-l-set turn-off turn-on turn-r-set "
     u"turn-u-set wdr-off wdr-on wdr-reset.",
     u"click:NAME: パネルのキー NAME をクリック: 0 1 2 3 4 5 6 7 8 9 alarm-action alarm-reset "
     u"autop autopan-l-cl autopan-l-set autopan-r-cl autopan-r-set aux1-off aux1-on aux2-off "
     u"aux2-on aux3-off aux3-on aux4-off aux4-on aux5-off aux5-on bw-off bw-on bw-reset c cam go "
     u"irs-bright irs-dark irs-reset menu now pos position-clear position-set rec recstop set stop "
     u"tour trace trace-clear turn-clear turn-d-set turn-l-set turn-off turn-on turn-r-set "
     u"turn-u-set wdr-off wdr-on wdr-reset。"},
    {u"keydown:K, keyup:K: a keyboard key K: left right up down tab, or one letter or digit.",
     u"keydown:K, keyup:K: キーボードのキー K: left right up down tab、または英数字 1 文字。"},
    {u"type:DIGITS: digits typed into the entry box.", u"type:DIGITS: 入力欄に数字を入力。"},
    {u"wait:MS: let MS milliseconds pass (0 to 3600000).",
     u"wait:MS: MS ミリ秒待つ (0～3600000)。"},
    {u"mode:M: speed mode normal or step (test and accel-off in test mode).",
     u"mode:M: 速度モード normal か step (テストモードでは test と accel-off も可)。"},
    {u"pan-speed:V, tilt-speed:V: 1 3 7 15 30 60.", u"pan-speed:V, tilt-speed:V: 1 3 7 15 30 60。"},
    {u"zoom-speed:V, focus-speed:V: 2 4 6 8.", u"zoom-speed:V, focus-speed:V: 2 4 6 8。"},
    {u"test-pan:V, test-tilt:V, test-zoom:V, test-focus:V: the test speed boxes, in test mode "
     u"([SOFT] Mode=1).",
     u"test-pan:V, test-tilt:V, test-zoom:V, test-focus:V: テスト速度の欄、テストモード ([SOFT] "
     u"Mode=1) で使用。"},
    {u"preset-key:on|off, autopan-way:1..4, autopan-turn:1..2: the panel's options.",
     u"preset-key:on|off, autopan-way:1..4, autopan-turn:1..2: パネルのオプション。"},
    {u"position:P,T,Z,D: the four position boxes.", u"position:P,T,Z,D: 4 つのポジション欄。"},
    {u"camera number, 0 (every camera) to 255", u"カメラ番号、0 (全カメラ)～255"},
    {u"Lists the serial ports of this computer and the network ports of zel.ini, one a line: "
     u"DEVICE, DESCRIPTION, MANUFACTURER, SERIAL and the COMn name it has in zel.ini, "
     u"tab-separated.",
     u"このコンピュータのシリアルポートと zel.ini のネットワークポートを 1 行ずつ表示します: "
     u"DEVICE、DESCRIPTION、MANUFACTURER、SERIAL、zel.ini での COMn 名 (タブ区切り)。"},
    {u"Lays out the report the screen would print (one title category, a communication test file, "
     u"a traffic log) as a PDF file, without a display or a printer.",
     u"画面で印刷する帳票 (タイトルの 1 カテゴリ、通信テストファイル、通信ログ) "
     u"を、ディスプレイもプリンタも使わずに PDF ファイルに出力します。"},
    {u"the PDF file to write (replaced only when complete)",
     u"書き込む PDF ファイル (完成したときだけ置き換え)"},
    {u"the title category to print, 0 to 8", u"印刷するタイトルのカテゴリ、0～8"},
    {u"Finds which cameras of the line answer, by a read that changes nothing in them; prints one "
     u"line per answering camera and a count.",
     u"回線上で応答するカメラを、カメラの設定を変えない読み出しで調べます。応答したカメラを 1 台 1 "
     u"行で表示し、台数を表示します。"},
    {u"the cameras to ask, such as 1-8,12", u"調べるカメラ、1-8,12 のように指定"},
    {u"Sends one frame with DATAHEX (hex digits, two per byte, at most 247 bytes) to the camera, "
     u"as a row of the communication test is sent, and prints the reply as that screen shows it. "
     u"Camera 0 addresses every camera and is sent without waiting.",
     u"DATAHEX (16 進数、1 バイト 2 桁、最大 247 バイト) "
     u"のフレームを通信テストの行と同じようにカメラに 1 "
     u"つ送信し、応答を通信テスト画面と同じ形式で表示します。カメラ 0 "
     u"は全カメラ宛てで、応答を待たずに送信します。"},
    {u"a read request: the camera answers with data", u"読み出し要求: カメラはデータで応答する"},
    {u"DATAHEX is the whole frame, sent unchanged (free format); --camera and --remote are not "
     u"needed",
     u"DATAHEX をフレーム全体としてそのまま送信 (フリーフォーマット)。--camera と --remote は不要"},
    {u"Prints zel.ini of the program folder as the programs read it, after normalisation.",
     u"プログラムフォルダの zel.ini を、プログラムが読み込んで正規化した内容で表示します。"},
    {u"Converts an S-record file into the memory image the CPU writer sends, or with --info counts "
     u"its records, shows the address ranges and which windows it fits.",
     u"S レコードファイルを CPU 書き込みで送信するメモリイメージに変換します。--info "
     u"を指定するとレコード数、アドレス範囲、収まるウィンドウを表示します。"},
    {u"the address window of the image", u"イメージのアドレスウィンドウ"},
    {u"the image file to write (replaced only when complete)",
     u"書き込むイメージファイル (完成したときだけ置き換え)"},
    {u"record counts, address ranges and the windows it fits",
     u"レコード数、アドレス範囲、収まるウィンドウを表示"},
    {u"encode prints the title codes of TEXT in the title table of the language (a TEXT that "
     u"starts with - follows --).",
     u"encode は TEXT のタイトルコードを言語のタイトルテーブルで表示します (- で始まる TEXT は -- "
     u"の後に指定)。"},
    {u"decode prints the text of title codes, four hex digits each.",
     u"decode はタイトルコード (16 進 4 桁ずつ) の文字を表示します。"},
    {u"check reports the character and length errors of each category of a title file.",
     u"check はタイトルファイルのカテゴリごとに文字と長さの誤りを表示します。"},
    {u"download reads every category from the camera into FILE.ttl, written when complete (the "
     u"completion line on stdout, then \"file written: FILE.ttl\" on stderr); with a LIST of "
     u"cameras each goes into DIR/cam001.ttl ..., with a summary at the end.",
     u"download はカメラから全カテゴリを読み出し、揃ったときに FILE.ttl に書き込みます (完了の行を "
     u"stdout に、続いて \"書き込んだファイル: FILE.ttl\" を stderr に出力)。カメラを LIST "
     u"で指定すると、カメラごとに DIR/cam001.ttl ... に保存し、最後に集計を表示します。"},
    {u"upload checks FILE.ttl and writes every category into the camera; --camera and --remote "
     u"replace the file's numbers.",
     u"upload は FILE.ttl をチェックし、全カテゴリをカメラに書き込みます。--camera と --remote "
     u"はファイルの番号の代わりに使用します。"},
    {u"find lists the titles of one category that match TEXT, as NUMBER<TAB>TITLE.",
     u"find は 1 つのカテゴリで TEXT に一致するタイトルを NUMBER<TAB>TITLE の形式で表示します。"},
    {u"replace replaces every match in one category (Replace All) and writes FILE.ttl, or OUT.ttl "
     u"with -o.",
     u"replace は 1 つのカテゴリで一致するものをすべて置換し (Replace All)、FILE.ttl に、-o "
     u"を指定すると OUT.ttl に書き込みます。"},
    {u"export writes IN.ttl as comma-separated text for a spreadsheet (OUT.csv '-': standard "
     u"output).",
     u"export は IN.ttl を表計算ソフト用のカンマ区切りテキストに書き出します (OUT.csv が '-' "
     u"なら標準出力)。"},
    {u"import reads such a file back into OUT.ttl (IN.csv '-': standard input); every bad row is "
     u"listed as LINE: reason and nothing is written.",
     u"import はそのファイルを読み込んで OUT.ttl に書き込みます (IN.csv が '-' "
     u"なら標準入力)。誤りのある行はすべて LINE: 理由 の形式で表示し、何も書き込みません。"},
    {u"camera number, 1 to 255 (upload: instead of the file's); download also takes a LIST such as "
     u"1-8,12",
     u"カメラ番号、1～255 (upload: ファイルの番号の代わり)。download では 1-8,12 のような LIST "
     u"も指定可"},
    {u"the title category, 0 to 8", u"タイトルのカテゴリ、0～8"},
    {u"match whole titles only", u"タイトル全体が一致するものだけ"},
    {u"the text to replace", u"置換する文字"},
    {u"what replaces it", u"置換後の文字"},
    {u"write the result here instead of over FILE.ttl",
     u"結果を FILE.ttl に上書きせず、ここに書き込む"},
};

const QHash<QString, QString>& japaneseByEnglish() {
    static const QHash<QString, QString> table = [] {
        QHash<QString, QString> byEnglish;
        for (const TextPair& pair : kHelpTexts)
            byEnglish.insert(QString::fromUtf16(pair.en), QString::fromUtf16(pair.ja));
        return byEnglish;
    }();
    return table;
}

} // namespace

QString HelpText(const QString& english, int languageIndex) {
    if (languageIndex != 1)
        return english;
    return japaneseByEnglish().value(english, english);
}

bool HasJapaneseHelpText(const QString& english) {
    return japaneseByEnglish().contains(english);
}

} // namespace zel::cli
