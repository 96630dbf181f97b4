#pragma once

#include "ui/widgets/usewindow.h"

namespace app {

// The about window: the program's artwork, the web link with its globe and
// "Chiudi".
class TfrmSplash final : public ui::UseWindow
{
    Q_OBJECT

public:
    explicit TfrmSplash(QWidget *caller);

    void lnkWebClick();
    void btnChiudiClick();
};

} // namespace app
