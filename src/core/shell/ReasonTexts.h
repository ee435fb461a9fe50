#pragma once
// The reasons this tool gives in both languages for a file it cannot read or write and for
// the state of the serial port: one table beside the tool's other texts, in the order of the
// problem and state enums that index it.
#include <QString>

namespace zel {

enum class FileProblem;
enum class OutputProblem;

enum class PortStateText { Closed, Open, Lost, OpenFailed };

// Why a read failed, with the system's detail in parentheses when there is one.
QString fileProblemReason(FileProblem problem, int languageIndex, const QString& detail = {});
// Whether and why an output path may not be written, with the system's detail.
QString outputProblemReason(OutputProblem problem, int languageIndex, const QString& detail = {});
// "Port <device>: <state>".
QString portStateLine(const QString& device, PortStateText state, int languageIndex);

} // namespace zel
