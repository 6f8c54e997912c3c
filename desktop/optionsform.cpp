#include "desktop/optionsform.h"

#include "desktop/CreditsPictures.h"
#include "desktop/DesktopStrings.h"
#include "desktop/LxImageTransform.h"
#include "desktop/LxPageControl.h"
#include "skin/controls/LxBitBtn.h"
#include "skin/controls/LxHotLink.h"
#include "skin/controls/LxMailTo.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QRandomGenerator>
#include <QScreen>
#include <QTimer>
#include <exception>

namespace {

QString Text(const char* text) { return QString::fromUtf8(text); }

QLabel* PlaceLabel(QWidget* page, const char* caption, int x, int y, bool underlined) {
    auto* label = new QLabel(Text(caption), page);
    QFont font = label->font();
    font.setUnderline(underlined);
    label->setFont(font);
    label->adjustSize();
    label->move(x, y);
    return label;
}

TLxMailTo* PlaceMailTo(QWidget* page, const DesktopStrings::Credit& credit, int x, int y) {
    auto* link = new TLxMailTo(page);
    link->SetCaption(Text(credit.caption));
    link->setToolTip(Text(DesktopStrings::MailHint));
    link->SetMailSubject(Text(DesktopStrings::MailSubject));
    link->move(x, y);
    return link;
}

TLxHotLink* PlaceHotLink(QWidget* page, int x, int y) {
    auto* link = new TLxHotLink(page);
    link->setToolTip(Text(DesktopStrings::LinkHint));
    link->move(x, y);
    return link;
}

} // namespace

Toptionsform::Toptionsform(QWidget* parent) : QWidget(parent, Qt::Tool) {
    setWindowTitle(Text(DesktopStrings::OptionsCaption));
    setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
    resize(388, 258);

    LxPageControl1 = new TLxPageControl(this);
    LxPageControl1->setGeometry(rect());
    Setup = new QWidget;
    Visualization = new QWidget;
    Skins = new QWidget;
    TabSheet1 = new QWidget;
    LxPageControl1->addTab(Setup, Text(DesktopStrings::PageSetup));
    LxPageControl1->addTab(Visualization, Text(DesktopStrings::PageVisualization));
    LxPageControl1->addTab(Skins, Text(DesktopStrings::PageSkins));
    LxPageControl1->addTab(TabSheet1, Text(DesktopStrings::PageCredits));
    LxPageControl1->setCurrentWidget(TabSheet1);
    BuildSetupPage();
    BuildCreditsPage();

    Timer1 = new QTimer(this);
    Timer1->setInterval(2500);
    connect(Timer1, &QTimer::timeout, this, &Toptionsform::Timer1Timer);

    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void Toptionsform::BuildSetupPage() {
    LxBitBtn1 = new TLxBitBtn(Setup);
    LxBitBtn1->setGeometry(42, 8, 197, 25);
    LxBitBtn1->SetCaption(Text(DesktopStrings::AssociateButton));
    LxBitBtn1->OnClick = [this](QObject*) {
        try {
            LxBitBtn1Click();
        } catch (const std::exception& error) {
            QMessageBox::critical(this, QApplication::applicationDisplayName(), Text(error.what()));
        }
    };
}

void Toptionsform::BuildCreditsPage() {
    LxImageTransform1 = new TLxImageTransform(TabSheet1);
    LxImageTransform1->setGeometry(2, 4, 223, 223);
    LxImageTransform1->SetPicture1(PlayerCreditsPicture());
    LxImageTransform1->SetPicture2(EngineCreditsPicture());
    LxImageTransform1->SetTransformType(TTransType::ttTurnDown);

    Label1 = PlaceLabel(TabSheet1, DesktopStrings::LabelCoding, 236, 6, true);
    Label2 = PlaceLabel(TabSheet1, DesktopStrings::LabelIcons, 236, 76, true);
    Label3 = PlaceLabel(TabSheet1, DesktopStrings::LabelTesting, 236, 126, true);
    Label4 = PlaceLabel(TabSheet1, DesktopStrings::LabelSites, 236, 168, true);
    Label5 = PlaceLabel(TabSheet1, DesktopStrings::LabelYou, 258, 146, false);

    LxMailTo1 = PlaceMailTo(TabSheet1, DesktopStrings::CodingCredit, 258, 30);
    LxMailTo2 = PlaceMailTo(TabSheet1, DesktopStrings::EngineCredit, 258, 52);
    LxMailTo3 = PlaceMailTo(TabSheet1, DesktopStrings::IconsCredit, 258, 96);
    LxHotLink1 = PlaceHotLink(TabSheet1, 258, 188);
    LxHotLink2 = PlaceHotLink(TabSheet1, 258, 208);
}

void Toptionsform::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    FormShow();
}

// Closing hides the window; hiding it by any route stops the pictures.
void Toptionsform::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    FormClose();
}

void Toptionsform::FormShow() {
    Timer1->start();
    LxHotLink1->SetUrl(Text(DesktopStrings::ProductSiteUrl));
    LxHotLink1->SetCaption(Text(DesktopStrings::ProductSiteCaption));
    LxHotLink2->SetUrl(Text(DesktopStrings::MakerSiteUrl));
    LxHotLink2->SetCaption(Text(DesktopStrings::MakerSiteCaption));
    LxMailTo1->SetMailDestinator(Text(DesktopStrings::CodingCredit.address));
    LxMailTo2->SetMailDestinator(Text(DesktopStrings::EngineCredit.address));
    LxMailTo3->SetMailDestinator(Text(DesktopStrings::IconsCredit.address));
}

void Toptionsform::FormClose() { Timer1->stop(); }

void Toptionsform::LxBitBtn1Click() {
    const QString program = QCoreApplication::applicationFilePath();
    for (const char* extension : DesktopStrings::AssociatedExtensions)
        LxAssociateExtension1.Associate(Text(DesktopStrings::IconName), Text(DesktopStrings::FileTypeName),
                                        Text(extension), program);
}

void Toptionsform::Timer1Timer() {
    LxImageTransform1->Transform();
    LxImageTransform1->SetTransformType(TransitionForDraw(QRandomGenerator::global()->bounded(12)));
}
