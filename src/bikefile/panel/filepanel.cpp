#include "bikefile/panel/filepanel.h"

#include "bikefile/format/bikefile.h"
#include "bikefile/panel/filelist.h"
#include "bikefile/panel/recordfields.h"
#include "calc/speed.h"
#include "platform/files/bikefilelist.h"
#include "platform/files/bikefilestore.h"
#include "platform/files/reasons.h"
#include "platform/widgets/widgetfields.h"

#include <QListView>
#include <QLocale>
#include <QSignalBlocker>

#include <algorithm>

namespace bikefile {

namespace {

constexpr const char* deleteQuestion = "Vill du radera vald fil?";
constexpr const char* deleteTitle = "OJOJOJ!!!";

// A character as the message shows it: itself, or its code where it would not be seen, or
// would be seen only on the character beside it (a combining mark).
QString showCharacter(char32_t c)
{
    if (!QChar::isPrint(c) || QChar::isSpace(c) || QChar::isMark(c))
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
        return QStringLiteral("Fältet \"%1\" innehåller ett citattecken (\"), som inte kan "
                              "sparas i en hojfil: där skulle värdet ta slut. Skriv något annat i "
                              "stället, till exempel \"tum\" efter ett mått (18 tum).")
            .arg(caption(bad.value));
    return QStringLiteral("Fältet \"%1\" innehåller tecknet \"%2\", som inte kan sparas i en "
                          "hojfil. Ta bort det eller skriv ett annat tecken i stället.")
        .arg(caption(bad.value), showCharacter(bad.character));
}

// A number as Swedish text writes it, its thousands set apart by a space that does not break:
// 65 536.
QString swedishNumber(std::size_t number)
{
    return QLocale(QLocale::Swedish).toString(static_cast<qulonglong>(number));
}

QString tooLargeMessage(const TooLarge& large)
{
    QString message =
        QStringLiteral("Fältet \"%1\" är för långt: en hojfil får vara högst %2 "
                       "byte, och med de andra fälten som de är får det ha högst "
                       "%3 tecken.")
            .arg(caption(large.value), swedishNumber(maxFileSize), swedishNumber(large.maxBytes));
    if (large.value == commentValue)
        message += QStringLiteral(" En radbrytning räknas som två tecken.");
    return message;
}

// The value composed (Unicode NFC): a letter typed or pasted as a base letter and a combining
// mark (a and U+030A) is saved as the one letter it shows (å). Plain ASCII is composed already.
std::string composed(std::string value)
{
    if (std::any_of(value.begin(), value.end(), [](char c) { return (c & 0x80) != 0; }))
        value =
            QString::fromStdString(value).normalized(QString::NormalizationForm_C).toStdString();
    return value;
}

} // namespace

FilePanel::FilePanel(platform::WidgetFields& fields, QListView& File1, platform::Messages& messages,
                     QWidget& window)
    : m_fields(fields), m_list(File1), m_names(new FileList(&File1)), m_messages(messages),
      m_window(window)
{
    // Every row is one line of text: the view lays out a hundred thousand rows without asking
    // each for its size.
    m_list.setUniformItemSizes(true);
    m_list.setModel(m_names);
    // A click or an arrow key changes the selection; tabbing into a list
    // with nothing selected only moves its current row, and loads nothing.
    m_selection = QObject::connect(m_list.selectionModel(), &QItemSelectionModel::selectionChanged,
                                   &m_list, [this] { File1_Click(); });
}

FilePanel::~FilePanel()
{
    QObject::disconnect(m_selection);
}

void FilePanel::Form_Load()
{
    // The directory itself, not its path: a path is looked up anew at each use, and its bytes
    // need not be text.
    m_directory = platform::Directory(".");
    Dir1_Change();
}

void FilePanel::Dir1_Change()
{
    readList();
}

void FilePanel::readList()
{
    const QSignalBlocker quiet(m_list.selectionModel());
    m_names->read(m_directory);
    // No current row either: tabbing into the list then selects nothing.
    m_list.setCurrentIndex(QModelIndex());
}

int FilePanel::selectedRow() const
{
    const QModelIndexList selected = m_list.selectionModel()->selectedIndexes();
    return selected.size() == 1 ? selected.front().row() : -1;
}

void FilePanel::File1_Click()
{
    if (const int row = selectedRow(); row >= 0)
        load(row);
}

void FilePanel::load(int row)
{
    // The whole record is read and the file closed before any field changes. A file that
    // cannot be read stays the list's current row, so that the next arrow key moves past it.
    const platform::LoadResult loaded =
        platform::ReadBikeFile(m_directory, m_names->raw(row), maxFileSize);
    if (!loaded.bytes) {
        m_messages.warn(&m_window, loaded.error);
        return;
    }
    const std::optional<BikeRecord> record = parseRecord(*loaded.bytes);
    if (!record) {
        m_messages.warn(&m_window, QStringLiteral("Filen \"%1\" är inte en hel hojfil: den tar "
                                                  "slut före det femtonde värdet.")
                                       .arg(m_names->shown(row)));
        return;
    }
    // In file order, each as a change of the field: the teeth fields run their
    // reactions, and the reductions stored in the file are what stays.
    for (std::size_t i = 0; i < recordFields.size(); ++i)
        m_fields.setText(recordFields[i], (*record)[i]);
    m_fields.setText(calc::Field::TrFilnamn, m_names->shown(row).toStdString());
    calc::beräknahast(m_fields); // a gear it cannot compute stays empty; no message here
}

void FilePanel::spara1_Click()
{
    BikeRecord record;
    for (std::size_t i = 0; i < recordFields.size(); ++i)
        record[i] = composed(m_fields.text(recordFields[i]));
    const QString name = QString::fromStdString(m_fields.text(calc::Field::TrFilnamn));
    const FormatResult formatted = formatRecord(record);
    // After the message, the focus is in the field it names. A refused name is said before any
    // value: the store refuses it whatever the bytes.
    const auto box = [this](std::size_t value) { return m_fields.box(recordFields[value]); };
    if (platform::refuseName(name) || formatted.ok()) {
        const platform::SaveResult saved =
            platform::WriteBikeFile(m_directory, name, formatted.bytes);
        if (!saved.ok)
            m_messages.warnAbout(&m_window, saved.error,
                                 saved.nameAtFault ? m_fields.box(calc::Field::TrFilnamn)
                                                   : nullptr);
    } else if (formatted.unencodable) {
        m_messages.warnAbout(&m_window, unencodableMessage(*formatted.unencodable),
                             box(formatted.unencodable->value));
    } else {
        m_messages.warnAbout(&m_window, tooLargeMessage(*formatted.tooLarge),
                             box(formatted.tooLarge->value));
    }
    readList();
}

void FilePanel::tabort1_Click()
{
    const int row = selectedRow();
    if (row < 0) {
        m_messages.warnAbout(
            &m_window, QStringLiteral("Välj först den fil i listan som ska tas bort."), &m_list);
        return;
    }
    if (!m_messages.askYesNo(&m_window, QString::fromUtf8(deleteTitle),
                             QString::fromUtf8(deleteQuestion)))
        return;
    // The entry itself, by the name's bytes: a link goes, its target stays.
    const int error = platform::removeBikeFile(m_directory, m_names->raw(row));
    const bool removed = error == 0;
    if (!removed)
        m_messages.warn(&m_window, QStringLiteral("Filen \"%1\" kunde inte tas bort: %2")
                                       .arg(m_names->shown(row), platform::reasonText(error)));
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
