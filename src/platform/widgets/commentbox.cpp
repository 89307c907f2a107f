#include "platform/widgets/commentbox.h"

#include <QMimeData>
#include <QTextBlock>

namespace platform {

CommentBox::CommentBox(qsizetype maxLength, QWidget* parent)
    : QPlainTextEdit(parent), m_maxLength(maxLength)
{
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Wrapping "at a word boundary or anywhere" searches the rest of a line for a boundary at
    // every wrap, which takes minutes for a pasted line of a million characters.
    setWordWrapMode(QTextOption::WordWrap);
    setTabChangesFocus(true);
}

void CommentBox::insertFromMimeData(const QMimeData* source)
{
    if (!source || !source->hasText())
        return;
    QTextCursor cursor = textCursor();
    const qsizetype kept = document()->characterCount() - 1 - cursor.selectedText().size();
    QString text = source->text();
    qsizetype room = std::max<qsizetype>(0, m_maxLength - kept);
    if (text.size() > room) {
        if (room > 0 && text.at(room - 1).isHighSurrogate())
            --room; // never half a character
        text.truncate(room);
    }
    cursor.insertText(text); // the box's own cursor moves past it, and the box scrolls there
}

} // namespace platform
