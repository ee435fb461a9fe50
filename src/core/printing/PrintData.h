#pragma once
// Gathers what each screen prints into a PrintReport: the title window (kind 1), the
// communication test (kind 5) and the communication log (kind 6). No work file is involved:
// the rows go straight to the report layout.
#include "PrintReport.h"
#include "shell/MessageCatalog.h"

#include <optional>

namespace zel {

class CommLogStore;
class LanguageTables;
class TestScreen;
class TitleDocument;

inline constexpr char16_t kPrintMarkOn[] = u"○";
inline constexpr char16_t kPrintMarkOff[] = u"×";

// Kind 1: the titles of category `titleMode` (0..8) as the window shows them. Modes 0 and 3
// give one TitleName row; the others one TitleNo + TitleName row per grid row, in the present
// order. Captions in the current language. std::nullopt for a mode outside 0..8.
std::optional<PrintReport> GatherTitleReport(const TitleDocument& document, int titleMode,
                                             const LanguageTables& language);

// Kind 5: one row per test row 1..16 with "○" / blank marks and the row's byte count, text
// and reply; the header labels show the address, "○" / "×" for continuous send and free
// format, and the interval followed by "Sec".
PrintReport GatherCommTestReport(const TestScreen& screen);

// Kind 6: one row per log entry, oldest first; an empty log gives one row of blanks.
PrintReport GatherCommLogReport(const CommLogStore& store);

// The box a failed print shows: the failure's description under the "Error" text piece, with
// the stop icon.
MessageBoxContent ComposePrintError(const LanguageTables& language, const QString& description);

} // namespace zel
