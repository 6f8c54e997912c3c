#pragma once

#include "desktop/LxAssociateExtension.h"

#include <QWidget>

class QLabel;
class QTimer;
class TLxBitBtn;
class TLxHotLink;
class TLxImageTransform;
class TLxMailTo;
class TLxPageControl;

// The options window: file type association on its Setup page, and a
// credits page whose picture changes every 2.5 seconds while the window is
// shown.
class Toptionsform : public QWidget {
    Q_OBJECT
public:
    explicit Toptionsform(QWidget* parent = nullptr);

    void FormShow();
    void FormClose();
    // Associates the player's file types with this program. Throws
    // std::runtime_error when that fails; a click shows the error.
    void LxBitBtn1Click();
    void Timer1Timer();

    TLxPageControl* LxPageControl1 = nullptr;
    QWidget* Setup = nullptr;
    QWidget* Visualization = nullptr;
    QWidget* Skins = nullptr;
    QWidget* TabSheet1 = nullptr;
    TLxBitBtn* LxBitBtn1 = nullptr;
    TLxImageTransform* LxImageTransform1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    TLxMailTo* LxMailTo1 = nullptr;
    TLxMailTo* LxMailTo2 = nullptr;
    TLxMailTo* LxMailTo3 = nullptr;
    TLxHotLink* LxHotLink1 = nullptr;
    TLxHotLink* LxHotLink2 = nullptr;
    QTimer* Timer1 = nullptr;
    TLxAssociateExtension LxAssociateExtension1;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void BuildSetupPage();
    void BuildCreditsPage();
};
