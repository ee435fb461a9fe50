// Captions of the operation panel, indexes 0..116.
#include "LanguageTexts.h"

namespace zel::lang {

TextList panelTexts() {
    return {
        {u"ACTIVE PRESET KEY", u"設定"}, // 0 CheckPanel
        {u"GO"},
        {u"NOW"},
        {u"RESET"},
        {u"ACTION"},
        {u"AUTO P", u"オートパン"}, // 5
        {u"OFF"},
        {u"ON"}, // 6, 7 AUX1
        {u"OFF"},
        {u"ON"}, // 8, 9 AUX2
        {u"OFF"},
        {u"ON"},                 // 10, 11 AUX3
        {u"RESET", u"リセット"}, // 12 B/W
        {u"OFF"},
        {u"ON"},
        {u"CAM", u"カメラ"}, // 15
        {u"C"},
        {u"0"},
        {u"1"},
        {u"2"},
        {u"3"},
        {u"4"}, // 17..21
        {u"5"},
        {u"6"},
        {u"7"},
        {u"8"},
        {u"9"}, // 22..26
        {u"OFF"},
        {u"ON"},                 // 27, 28 DEF
        {u"RESET", u"リセット"}, // 29 IRS
        {u"DARK", u"暗"},
        {u"BRIGHT", u"明"},
        {u"MENU"}, // 32
        {u"R-CL", u"右消去"},
        {u"L-CL", u"左消去"},
        {u"R-SET", u"右端点"},
        {u"L-SET", u"左端点"},
        {u"POS", u"ポジション"}, // 37
        {u"SET", u"記憶"},
        {u"CLEAR", u"消去"},
        {u"TELE", u"望遠"}, // 40
        {u"WIDE", u"広角"},
        {u"FAR", u"遠"},
        {u"NEAR", u"近"},
        {u"AF"},
        {u"SET"}, // 45
        {u"STOP", u"ストップ"},
        {u"TOUR", u"ツアー"},
        {u"TRACE", u"トレース"},
        {u"REC", u"記憶開始"},
        {u"RECSTOP", u"ストップ"}, // 50
        {u"CLEAR", u"消去"},
        {u"L-SET", u"左限界"},
        {u"R-SET", u"右限界"},
        {u"U-SET", u"上限界"},
        {u"D-SET", u"下限界"}, // 55
        {u"CLEAR", u"消去"},
        {u"OFF"},
        {u"ON"},
        {u"RESET", u"リセット"}, // 59 WDR
        {u"OFF"},
        {u"ON"},
        {u"OFF"}, // 62 WIPER
        {u"ON"},
        {u"Operation panel", u"操作パネル"}, // 64 form caption
        {u"AUX1", u"予備1"},                 // 65 LabelCntl(0..11)
        {u"AUX2", u"予備2"},
        {u"AUX3", u"予備3"},
        {u"AUX4", u"予備4"},
        {u"AUX5", u"予備5"},
        {u"B/W", u"デイナイト"}, // 70
        {u"IRS", u"明るさ"},
        {u"ZOOM", u"ズーム"},
        {u"FOCUS", u"フォーカス"},
        {u"WDR"},
        {u"ALARM"}, // 75
        {u"CAM"},
        {u"REMOTE NO.", u"リモコンアドレス"}, // 77 LabelHostNo
        {u"NORMAL", u"ノーマル"},             // 78 LabelKey(0..7)
        {u"STEP", u"ステップ"},
        {u"TEST", u"テスト"}, // 80
        {u"ACCELERATION OFF", u"加速OFF"},
        {u"TILT SPEED", u"上下スピード"},
        {u"ZOOM SPEED", u"ズームスピード"},
        {u"FOCUS SPEED", u"フォーカススピード"},
        {u"PAN SPEED", u"左右スピード"}, // 85
        {u"MIN"},
        {u"MAX"}, // 86, 87
        {u"MIN"},
        {u"MAX"}, // 88, 89
        {u"MIN"},
        {u"MAX"}, // 90, 91
        {u"MIN"},
        {u"MAX"},  // 92, 93
        {u"PAN"},  // 94 LabelPanel(0..16)
        {u"TILT"}, // 95
        {u"ZOOM"},
        {u"D-ZOOM"},
        {u"DIRECT"},
        {u"TURN LIMIT", u"旋回範囲"},
        {u"AUTO PAN LIMIT", u"オートパン端点"}, // 100
        {u"TRACE", u"トレース"},
        {u"POSITION", u"ポジション"},
        {u"0°"},
        {u"360°"},
        {u"0°"}, // 105
        {u"360°"},
        {u"WIDE"},
        {u"TELE"},
        {u"WIDE"},
        {u"TELE"}, // 110
        {u"T-R", u"右回転"},
        {u"T-L", u"左回転"},
        {u"RE"},
        {u"S"},
        {u"RA"}, // 115
        {u"P"},
    };
}

} // namespace zel::lang
