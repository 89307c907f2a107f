#include "app/mainwindow.h"

#include "about/frmabout.h"
#include "app/clientarea.h"
#include "app/layout.h"
#include "app/menus.h"
#include "bikefile/format/bikefile.h"
#include "bikefile/panel/filepanel.h"
#include "calc/speed.h"
#include "platform/widgets/commentbox.h"
#include "platform/widgets/enterkey.h"
#include "platform/widgets/look.h"
#include "platform/widgets/teethbox.h"
#include "platform/widgets/twips.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QListView>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>

#include <algorithm>
#include <vector>

namespace app {

using platform::toPixels;
using platform::twipsPerPixel;

namespace {

QString qs(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A control or menu item that the window has built from its tables.
template <typename T> T* built(const QObject& window, const char* name)
{
    T* child = window.findChild<T*>(QString::fromUtf8(name));
    Q_ASSERT(child);
    return child;
}

QColor inkColour(Ink ink)
{
    switch (ink) {
    case Ink::Black:
        return QColor(0, 0, 0);
    case Ink::Yellow:
        return QColor(255, 255, 0);
    case Ink::Green:
        return QColor(0, 255, 0);
    case Ink::Default:
        break;
    }
    return {};
}

void paintBox(QWidget* box, Ink ink)
{
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, boxBackground);
    if (ink != Ink::Default)
        palette.setColor(QPalette::Text, inkColour(ink));
    box->setPalette(palette);
}

bool isTeethField(calc::Field field)
{
    using calc::Field;
    return field == Field::vev || field == Field::koppling || field == Field::framdrev ||
           field == Field::bakdrev;
}

QWidget* makeControl(const Control& c, QWidget* parent)
{
    const Qt::Alignment align = c.align == Align::Centre ? Qt::AlignHCenter : Qt::AlignLeft;
    switch (c.kind) {
    case Kind::Label: {
        auto* label = new QLabel(qs(c.text), parent);
        label->setTextFormat(Qt::PlainText);
        label->setWordWrap(true);
        label->setAlignment(align | Qt::AlignTop);
        if (c.ink != Ink::Default) {
            QPalette palette = label->palette();
            palette.setColor(QPalette::WindowText, inkColour(c.ink));
            label->setPalette(palette);
        }
        return label;
    }
    case Kind::TextBox: {
        auto* line =
            isTeethField(*c.field) ? new platform::TeethBox(parent) : new QLineEdit(parent);
        // A field without a limit of its own holds whatever a bike file can (the toolkit would
        // cut it at 32,767 characters).
        const int max = calc::fieldInfo(*c.field).maxLength;
        line->setMaxLength(max > 0 ? max : int{bikefile::maxFileSize});
        line->setReadOnly(c.readOnly);
        line->setAlignment(align | Qt::AlignVCenter);
        paintBox(line, c.ink);
        return line;
    }
    case Kind::Comment: {
        auto* comment = new platform::CommentBox(qsizetype{bikefile::maxFileSize}, parent);
        paintBox(comment, c.ink);
        return comment;
    }
    case Kind::Button: {
        auto* button = new QPushButton(qs(c.text), parent);
        button->setAutoDefault(false);
        QPalette palette = button->palette();
        palette.setColor(QPalette::Button, buttonFace);
        button->setPalette(palette);
        return button;
    }
    case Kind::FileList: {
        auto* list = new QListView(parent);
        list->setAccessibleDescription(qs(c.toolTip)); // a list does not offer its tooltip
        paintBox(list, c.ink);
        return list;
    }
    case Kind::DirList: {
        auto* dir = new QWidget(parent);
        dir->setFocusPolicy(Qt::NoFocus);
        return dir;
    }
    }
    return nullptr;
}

} // namespace

int clientHeightForOuter(int outerTwips)
{
    constexpr int frameTwips = (19 + 19 + 2 * 3) * twipsPerPixel; // 660
    return outerTwips - frameTwips;
}

MainWindow::MainWindow(platform::Messages& messages, QWidget* parent)
    : QMainWindow(parent), m_messages(messages)
{
    setWindowTitle(QStringLiteral("Drevkalk "));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    QIcon icon;
    icon.addFile(QStringLiteral(":/icons/drevkalk-32.xpm"), QSize(32, 32));
    icon.addFile(QStringLiteral(":/icons/drevkalk-16.xpm"), QSize(16, 16));
    setWindowIcon(icon);

    m_client = new ClientArea(this);
    m_client->setObjectName(QStringLiteral("Drevkalk"));
    m_client->setFont(platform::captionFont(9.75));
    setCentralWidget(m_client);
    buildControls();
    platform::pressButtonsOnEnter(*m_client);
    buildMenus();

    // The window is as large as its client area and the menu bar, no larger
    // and no smaller: it cannot be resized and has no maximise button.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    setOuterHeight(enkeltHeight);

    m_fields.box(calc::Field::varv)->setFocus();
    Form_Load();
}

void MainWindow::Form_Load()
{
    m_panel->Form_Load();
}

MainWindow::~MainWindow() = default;

void MainWindow::buildControls()
{
    std::vector<std::pair<int, QWidget*>> tabOrder;
    for (const Control& c : controls()) {
        QWidget* widget = makeControl(c, m_client);
        widget->setObjectName(qs(c.name));
        widget->setGeometry(toPixels(c.box.left, c.box.top, c.box.width, c.box.height));
        if (!c.toolTip.empty())
            widget->setToolTip(qs(c.toolTip));
        if (!c.visible)
            widget->hide();
        if (c.field) {
            m_fields.bind(*c.field, widget);
            // Named for assistive tools after the caption a user reads beside it.
            widget->setAccessibleName(qs(calc::fieldInfo(*c.field).caption));
        } else if (c.kind == Kind::Button) {
            widget->setAccessibleName(qs(c.text));
        } else if (c.kind == Kind::FileList) {
            widget->setAccessibleName(QStringLiteral("Sparade hojar"));
        }
        if (c.kind == Kind::Label)
            widget->lower(); // captions lie beneath the boxes they stand beside
        else if (widget->focusPolicy() != Qt::NoFocus)
            tabOrder.emplace_back(c.tab, widget);
    }
    for (const auto& [tab, widget] : tabOrder)
        m_tabStops.emplace_back(widget, widget->focusPolicy());
    std::sort(tabOrder.begin(), tabOrder.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    for (std::size_t i = 1; i < tabOrder.size(); ++i)
        setTabOrder(tabOrder[i - 1].second, tabOrder[i].second);

    m_Label7 = built<QLabel>(*m_client, "Label7");
    m_Label12 = built<QLabel>(*m_client, "Label12");
    m_panel = std::make_unique<bikefile::FilePanel>(m_fields, *built<QListView>(*m_client, "File1"),
                                                    m_messages, *this);
    const auto onClick = [this](const char* name, auto reaction) {
        connect(built<QPushButton>(*m_client, name), &QPushButton::clicked, this, reaction);
    };
    onClick("Beräkna", [this] { Beräkna_Click(); });
    onClick("ny1", [this] { m_panel->ny1_Click(); });
    onClick("spara1", [this] { m_panel->spara1_Click(); });
    onClick("tabort1", [this] { m_panel->tabort1_Click(); });
}

void MainWindow::buildMenus()
{
    const auto entries = menuEntries();
    std::vector<QMenu*> open; // open[d] holds the entries of depth d + 1
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const MenuEntry& e = entries[i];
        QMenu* parentMenu = e.depth == 0 ? nullptr : open[static_cast<std::size_t>(e.depth - 1)];
        const bool opensSubmenu = i + 1 < entries.size() && entries[i + 1].depth > e.depth;
        QAction* action = nullptr;
        if (opensSubmenu) {
            QMenu* menu =
                parentMenu ? parentMenu->addMenu(qs(e.caption)) : menuBar()->addMenu(qs(e.caption));
            menu->setObjectName(qs(e.name));
            open.resize(static_cast<std::size_t>(e.depth));
            open.push_back(menu);
            action = menu->menuAction();
        } else {
            action = parentMenu ? parentMenu->addAction(qs(e.caption))
                                : menuBar()->addAction(qs(e.caption));
        }
        action->setObjectName(qs(e.name));
        action->setCheckable(e.mark != Mark::None);
        action->setChecked(e.mark == Mark::Checked);
        action->setEnabled(e.enabled);
        if (e.reaction) {
            const auto reaction = e.reaction;
            connect(action, &QAction::triggered, this, [this, action, reaction] {
                // Choosing an item does not toggle its mark by itself: only
                // the reactions set check marks.
                if (action->isCheckable())
                    action->setChecked(!action->isChecked());
                (this->*reaction)();
            });
        }
    }
    m_easy = built<QAction>(*this, "easy");
    m_advanced = built<QAction>(*this, "advanced");
    m_Omkretsen = built<QAction>(*this, "Omkretsen");
    m_Axelhöjden = built<QAction>(*this, "Axelhöjden");
}

void MainWindow::setOuterHeight(int twips)
{
    const QSize client(toPixels(clientWidth), toPixels(clientHeightForOuter(twips)));
    m_client->setFixedSize(client);
    // The keyboard reaches only what the user can see: a control that the window's lower edge
    // cuts off takes no focus until a taller mode shows it. The order of the others stays.
    for (const auto& [widget, policy] : m_tabStops)
        widget->setFocusPolicy(QRect(QPoint(), client).contains(widget->geometry()) ? policy
                                                                                    : Qt::NoFocus);
    if (QWidget* focus = m_client->focusWidget(); focus && focus->focusPolicy() == Qt::NoFocus)
        focusNextChild();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    event->accept();
    m_about.reset(); // the About dialog ends with the program, shown or hidden
    emit closed();
}

void MainWindow::Beräkna_Click()
{
    std::optional<calc::Field> typeInto;
    if (const std::string message = calc::calculateAndExplain(m_fields, &typeInto);
        !message.empty())
        m_messages.warnAbout(this, QString::fromStdString(message),
                             typeInto ? m_fields.box(*typeInto) : nullptr);
}

void MainWindow::easy_Click()
{
    setOuterHeight(enkeltHeight);
    m_easy->setChecked(true);
    m_advanced->setChecked(false);
}

void MainWindow::advanced_Click()
{
    setOuterHeight(avanceratHeight);
    m_easy->setChecked(false);
    m_advanced->setChecked(true);
}

void MainWindow::Omkretsen_Click()
{
    m_Label12->hide();
    m_Label7->show();
    m_Axelhöjden->setChecked(false);
    m_Omkretsen->setChecked(true);
}

void MainWindow::inställningswe_Click()
{
    m_Label12->hide();
    m_Label7->show();
}

void MainWindow::övrigt_Click()
{
    if (!m_about)
        m_about = std::make_unique<about::frmAbout>();
    m_about->open();
}

} // namespace app
