#pragma once

class QString;

// Hands a file, folder, web address or mail-to link to the desktop's open
// handler. Reports nothing: if no program is associated, nothing happens.
class TMisc final
{
public:
    TMisc() = delete;
    static void Open(const QString &command);
};
