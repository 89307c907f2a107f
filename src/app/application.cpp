#include "app/application.h"

#include "platform/widgets/look.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace app {

namespace {

// Qt's Swedish catalogue words the menu of the one-line boxes but not the
// same menu of the multi-line one (its context is newer than the catalogue):
// that menu borrows the one-line boxes' words, and Qt's older wording of the
// rich-text menu for what they lack ("Copy &Link Location").
class MultiLineMenuWords : public QTranslator
{
public:
    explicit MultiLineMenuWords(const QTranslator& qt) : m_qt(qt) {}

    QString translate(const char* context, const char* sourceText, const char* disambiguation,
                      int n) const override
    {
        if (qstrcmp(context, "QWidgetTextControl") != 0)
            return {};
        for (const char* wordedIn : {"QLineEdit", "QTextControl"})
            if (QString words = m_qt.translate(wordedIn, sourceText, disambiguation, n);
                !words.isEmpty())
                return words;
        return {};
    }

    bool isEmpty() const override { return false; }

private:
    const QTranslator& m_qt;
};

void speakSwedish()
{
    static QTranslator qt;
    static MultiLineMenuWords multiLine(qt);
    // Without the catalogue (qt6-translations-l10n) Qt's texts stay English.
    if (!qt.load(QStringLiteral("qt_sv"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return;
    QCoreApplication::installTranslator(&qt);
    QCoreApplication::installTranslator(&multiLine);
}

} // namespace

void setUpApplication()
{
    QApplication::setApplicationName(QStringLiteral(DREVKALK_NAME));
    QApplication::setApplicationVersion(QStringLiteral(DREVKALK_VERSION));
    // Wayland compositors and docks match the window to its desktop entry and icon by this.
    QApplication::setDesktopFileName(QStringLiteral(DREVKALK_APP_ID));
    // Fusion draws boxes and button faces in the palette colours the windows
    // set, the button faces flat.
    QApplication::setStyle(platform::flatButtonStyle());
    speakSwedish();
}

} // namespace app
