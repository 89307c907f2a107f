#include "bikefile/filepanel.h"

#include "bikefile/recordfields.h"
#include "platform/bikefilestore.h"
#include "calc/speed.h"

#include <QDir>
#include <QListWidget>
#include <QSignalBlocker>

namespace bikefile {

namespace {

constexpr const char* deleteQuestion = "Vill du radera vald fil?";
constexpr const char* deleteTitle = "OJOJOJ!!!";

// A character as the message shows it: itself, or its code where it would not be seen.
QString showCharacter(char32_t c)
{
    if (!QChar::isPrint(c) || QChar::isSpace(c))
        return QStringLiteral("U+") +
               QString::number(static_cast<uint>(c), 16).toUpper().rightJustified(4, u'0');
    return QString::fromUcs4(&c, 1);
}

QString caption(std::size_t value)
{
    return QString::fromUtf8(calc::fieldInfo(recordFields[value]).caption);
}

QString unencodableMessage(const Unencodable& bad)
{
    if (bad.character == U'"')
        return QStringLiteral("Fältet \"%1\" innehåller tecknet \", som inte kan sparas i en "
                              "hojfil: där slutar värdet. Skriv något annat i stället, till "
                              "exempel \"tum\" efter ett mått (18 tum).")
            .arg(caption(bad.value));
    return QStringLiteral("Fältet \"%1\" innehåller tecknet \"%2\", som inte kan sparas i en "
                          "hojfil.")
        .arg(caption(bad.value), showCharacter(bad.character));
}

QString tooLargeMessage(const TooLarge& large)
{
    QString message = QStringLiteral("Fältet \"%1\" är för långt: en hojfil får vara högst %2 "
                                     "byte, och med de andra fälten som de är får det vara högst "
                                     "%3 tecken.")
                          .arg(caption(large.value))
                          .arg(maxFileSize)
                          .arg(large.maxBytes);
    if (large.value == commentValue)
        message += QStringLiteral(" En radbrytning räknas som två tecken.");
    return message;
}

} // namespace

FilePanel::FilePanel(calc::Fields& fields, QListWidget& File1, platform::Messages& messages,
                     QWidget& window)
    : m_fields(fields), m_list(File1), m_messages(messages), m_window(window)
{
    // A click or an arrow key changes the selection; tabbing into a list
    // with nothing selected only moves its current row, and loads nothing.
    QObject::connect(&m_list, &QListWidget::itemSelectionChanged, &m_list,
                     [this] { File1_Click(); });
}

void FilePanel::Form_Load()
{
    m_directory = QDir::currentPath();
    Dir1_Change();
}

void FilePanel::Dir1_Change()
{
    readList();
}

void FilePanel::readList()
{
    const QSignalBlocker quiet(m_list);
    m_list.clear();
    // Regular files only, hidden ones (".hoj") too, in name order whatever
    // the letter case; a directory that cannot be listed gives an empty list.
    const QStringList names = QDir(m_directory)
                                  .entryList({QStringLiteral("*.hoj")}, QDir::Files | QDir::Hidden,
                                             QDir::Name | QDir::IgnoreCase);
    m_list.addItems(names);
    m_list.setCurrentItem(nullptr);
}

QString FilePanel::selectedName() const
{
    const QList<QListWidgetItem*> selected = m_list.selectedItems();
    return selected.size() == 1 ? selected.front()->text() : QString();
}

void FilePanel::File1_Click()
{
    const QString name = selectedName();
    if (!name.isEmpty())
        load(name);
}

void FilePanel::load(const QString& name)
{
    // The whole record is read and the file closed before any field changes.
    const platform::LoadResult loaded = platform::ReadBikeFile(QDir(m_directory).filePath(name));
    if (!loaded.record) {
        m_messages.warn(&m_window, loaded.error);
        readList();
        return;
    }
    // In file order, each as a change of the field: the teeth fields run their
    // reactions, and the reductions stored in the file are what stays.
    for (std::size_t i = 0; i < recordFields.size(); ++i)
        m_fields.setText(recordFields[i], (*loaded.record)[i]);
    m_fields.setText(calc::Field::TrFilnamn, name.toStdString());
    calc::beräknahast(m_fields); // a gear it cannot compute stays empty; no message here
}

void FilePanel::spara1_Click()
{
    BikeRecord record;
    for (std::size_t i = 0; i < recordFields.size(); ++i)
        record[i] = m_fields.text(recordFields[i]);
    const QString name = QString::fromStdString(m_fields.text(calc::Field::TrFilnamn));
    const platform::SaveResult saved = platform::WriteBikeFile(m_directory, name, record);
    if (saved.unencodable)
        m_messages.warn(&m_window, unencodableMessage(*saved.unencodable));
    else if (saved.tooLarge)
        m_messages.warn(&m_window, tooLargeMessage(*saved.tooLarge));
    else if (!saved.ok)
        m_messages.warn(&m_window, saved.error);
    readList();
}

void FilePanel::tabort1_Click()
{
    const QString name = selectedName();
    if (name.isEmpty()) {
        m_messages.warn(&m_window, QStringLiteral("Välj först den fil i listan som ska tas bort."));
        return;
    }
    if (!m_messages.askYesNo(&m_window, QString::fromUtf8(deleteTitle),
                             QString::fromUtf8(deleteQuestion)))
        return;
    const QString failure = platform::RemoveBikeFile(m_directory, name);
    const bool removed = failure.isEmpty();
    if (!removed)
        m_messages.warn(&m_window, failure);
    readList();
    if (removed)
        m_fields.setText(calc::Field::TrFilnamn, "");
}

void FilePanel::ny1_Click()
{
    m_fields.setText(calc::Field::Text1, "");
    m_fields.setText(calc::Field::TrFilnamn, "");
}

} // namespace bikefile
