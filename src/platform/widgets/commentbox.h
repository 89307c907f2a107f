#pragma once

#include <QPlainTextEdit>

namespace platform {

// The comment box: a multi-line text box with a vertical scroll bar. Lines wrap at word
// boundaries only, so that laying out a long line costs time in proportion to its length (a
// word wider than the box runs on past its edge and scrolls into view with the cursor). A paste
// or a drop keeps only as many leading characters as fit in maxLength, so that no single action
// gives the box more text than a bike file can hold.
class CommentBox : public QPlainTextEdit
{
public:
    CommentBox(qsizetype maxLength, QWidget* parent);

protected:
    void insertFromMimeData(const QMimeData* source) override;

private:
    qsizetype m_maxLength;
};

} // namespace platform
