#pragma once

#include <QFont>
#include <QString>

class QDate;

namespace ui {

// The fonts the windows and documents name (Verdana, Tahoma, Arial, Courier
// New) are mapped to metric-compatible families that Debian ships.
void installFontSubstitutes();

// A font of `pixels` device-independent pixels ("size 12" of a window).
QFont windowFont(const QString &family, int pixels, bool bold = false);

// The regional date separator: the first character of the system's short
// date format that is not part of a day, month or year field.
QChar regionalDateSeparator();
// "dd/mm/yyyy" with the regional separator in place of "/".
QString formatDate(const QDate &date);
QString todayText();

// Requests software rendering; call before the application object exists.
void requestSoftwareRendering();

} // namespace ui
