#pragma once

#include <QDialog>

// The about box: program icon, product, version, maker and mail address, OK.
// All texts are fixed.
class TAboutBox final : public QDialog {
    Q_OBJECT

public:
    explicit TAboutBox(QWidget* parent = nullptr);
};
