#pragma once
// Whole files read and written by the tests around the code under test.
#include <QByteArray>
#include <QString>

namespace zel::test {

// The bytes of `path`, or "<missing>" when it cannot be read, so that a missing file never
// compares equal to an empty one.
QByteArray readBytes(const QString& path);

// Replaces the file at `path` with `bytes`; false when it could not be written.
bool writeBytes(const QString& path, const QByteArray& bytes);

} // namespace zel::test
