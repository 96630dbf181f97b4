#pragma once

#include <QByteArray>
#include <QList>

#include <utility>

namespace testing {

// An export file written out piece by piece as the format lists them, by a
// writer that shares no code with the program's: the worksheet name, the
// headers with their widths in file, and the cells of each row, all as the
// bytes that belong in the file.
QByteArray expectedSpreadsheet(const QByteArray &sheet, const QList<std::pair<QByteArray, int>> &headers,
                               const QList<QList<QByteArray>> &rows);

} // namespace testing
