#pragma once
// The text of the program's message box: centred lines, wrapped at word
// boundaries and, inside a word longer than a line (a long path), anywhere,
// so that no part of a message is ever cut off.

#include <QLabel>
#include <QSize>

#include "engine/report/report_text.h"

class QFont;

namespace zk {

// A message of the engine as the box's text: its code page 1252 parts as
// they are, where "&&" shows one "&", and its paths as the desktop shows
// file names, every character of them shown as it is.
QString MessageBoxText(const TReportText& text);

// The size the text takes laid out in lines of at most width pixels; line
// feeds in the text start new lines.
QSize MessageTextSize(const QFont& font, const QString& text, int width);

class TMessageText : public QLabel {
    Q_OBJECT

public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace zk
