#pragma once
// The language of a run's usage errors, known before its arguments are read: --lang as
// written, else [LANGUAGE] Mode of the zel.ini the run would read.
#include <QStringList>

namespace zel::cli {

// 0 English, 1 Japanese. `args`: the arguments without the program name;
// `executableFolder`: where zel.ini is looked for without --folder.
int UsageLanguageIndex(const QStringList& args, const QString& executableFolder);

} // namespace zel::cli
