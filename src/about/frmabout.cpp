#include "about/frmabout.h"

#include "platform/widgets/enterkey.h"
#include "platform/widgets/look.h"
#include "platform/widgets/twips.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVersionNumber>

namespace about {

namespace {

QRect twips(int left, int top, int width, int height)
{
    return platform::toPixels(left, top, width, height);
}

QLabel* caption(QWidget* parent, const char* name, const QString& text, QRect place,
                bool black = true)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setFont(platform::captionFont(9.75));
    label->setGeometry(place);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText,
                     black ? QColor(0, 0, 0) : palette.color(QPalette::ButtonText));
    label->setPalette(palette);
    return label;
}

void paintBackground(QWidget* widget)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, desktopColour);
    palette.setColor(QPalette::Button, desktopColour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

QIcon aboutIcon()
{
    QIcon icon;
    icon.addFile(QStringLiteral(":/about/about-32.xpm"), QSize(32, 32));
    icon.addFile(QStringLiteral(":/about/about-16.xpm"), QSize(16, 16));
    return icon;
}

} // namespace

QString versionText(const QString& version)
{
    const QVersionNumber number = QVersionNumber::fromString(version);
    return QStringLiteral("Version %1.%2.%3")
        .arg(number.majorVersion())
        .arg(number.minorVersion())
        .arg(number.microVersion());
}

frmAbout::frmAbout() = default;

frmAbout::~frmAbout()
{
    delete m_window;
}

void frmAbout::open()
{
    if (!m_window) {
        m_window = new AboutWindow;
        Form_Load();
    }
    m_window->setWindowState(m_window->windowState() & ~Qt::WindowMinimized);
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}

void frmAbout::Form_Load()
{
    const QString title = QCoreApplication::applicationName();
    m_window->setWindowTitle(QStringLiteral("About ") + title);
    m_window->lblVersion->setText(versionText(QCoreApplication::applicationVersion()));
    m_window->lblTitle->setText(title);
}

AboutWindow::AboutWindow()
{
    setObjectName(QStringLiteral("frmAbout"));
    // A window of the normal kind: one of the dialog kind is made transient
    // for the whole application, which some window managers read as "keep
    // above the main window and minimise with it".
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setAttribute(Qt::WA_DeleteOnClose); // a close through the title bar unloads it
    setWindowIcon(aboutIcon());
    setFixedSize(twips(0, 0, 4935, 3225).size());
    paintBackground(this);

    // Back to front.
    bort = new QPushButton(QStringLiteral("Stäng"), this);
    bort->setObjectName(QStringLiteral("bort"));
    bort->setGeometry(twips(3480, 2280, 1335, 855));
    bort->setFont(platform::captionFont(13.5, true));
    bort->setAutoDefault(false); // never the default button that Enter presses
    paintBackground(bort);
    QObject::connect(bort, &QPushButton::clicked, this, [this] { bort_Click(); });

    picIcon = new QLabel(this);
    picIcon->setObjectName(QStringLiteral("picIcon"));
    picIcon->setGeometry(twips(240, 240, 540, 540));
    picIcon->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    picIcon->setPixmap(QPixmap(QStringLiteral(":/about/about-32.xpm")));
    picIcon->setAccessibleName(QStringLiteral("Drevkalks ikon, en hastighetsmätare"));
    paintBackground(picIcon);

    lblDescription = caption(
        this, "lblDescription",
        QStringLiteral("Ett nödvändigt ont för den som verkligen inte tycker att det är nån ide' "
                       "att ta fram miniräknaren när det är dags att dreva om hojen."),
        twips(1050, 840, 3885, 1170));
    lblTitle = caption(this, "lblTitle", QString(), twips(1050, 240, 3885, 360));
    lblVersion = caption(this, "lblVersion", QString(), twips(1050, 480, 1725, 345), false);
    lblDisclaimer = caption(this, "lblDisclaimer",
                            QStringLiteral("Varning: Jag har inte den blekaste aning om ifall "
                                           "detta får distrubueras hur som helst."),
                            twips(255, 2280, 3150, 945));
    platform::pressButtonsOnEnter(*this);
}

void AboutWindow::bort_Click()
{
    hide();
    // Shown again where the user left it: a window without a position of its
    // own is placed anew by the window manager, and a dialog centred anew.
    move(pos());
}

void AboutWindow::paintEvent(QPaintEvent*)
{
    // The separator runs past the right edge and is clipped there: a grey
    // line, and a white one drawn over it that starts a pixel later, so that
    // the grey shows at the left end (a square cap would cover it).
    QPainter painter(this);
    const auto px = [](double t) { return platform::toPixelsF(t); };
    painter.setPen(QPen(QColor(128, 128, 128), 1));
    painter.drawLine(QPointF(px(90), px(2040) + 0.5), QPointF(px(5654), px(2040) + 0.5));
    painter.setPen(QPen(QColor(255, 255, 255), 2, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(QPointF(px(105), px(2040)), QPointF(px(5654), px(2040)));
}

void AboutWindow::keyPressEvent(QKeyEvent* event)
{
    // Escape does nothing. Enter presses "Stäng" only while it has the focus
    // (pressButtonsOnEnter); elsewhere it finds no default button.
    if (event->key() == Qt::Key_Escape && !event->modifiers())
        return;
    QDialog::keyPressEvent(event);
}

} // namespace about
