#include "ui/dialogs/number_field.h"

#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QVariant>
#include <algorithm>

namespace zk {

namespace {

// Where a field keeps the limit its form gave it for typing.
constexpr char TypingLimitProperty[] = "typingMaxLength";

int TypingLimit(QLineEdit& field)
{
    QVariant limit = field.property(TypingLimitProperty);
    if (!limit.isValid()) {
        limit = field.maxLength();
        field.setProperty(TypingLimitProperty, limit);
    }
    return limit.toInt();
}

// The width at which the field shows text without scrolling it: the text
// and the cursor after it, inside the field's margins and frame.
int WidthShowing(const QLineEdit& field, const QString& text)
{
    // QLineEdit keeps this many pixels between its contents and its text.
    constexpr int LineEditTextMargin = 2;
    constexpr int CursorWidth = 1;
    const QMargins textMargins = field.textMargins();
    const QMargins contentsMargins = field.contentsMargins();
    const int contents = field.fontMetrics().horizontalAdvance(text) + CursorWidth + 2 * LineEditTextMargin +
                         textMargins.left() + textMargins.right() + contentsMargins.left() +
                         contentsMargins.right();
    QStyleOptionFrame option;
    option.initFrom(&field);
    option.lineWidth = field.hasFrame() ? field.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &field) : 0;
    option.state |= QStyle::State_Sunken;
    return field.style()
        ->sizeFromContents(QStyle::CT_LineEdit, &option, QSize(contents, field.sizeHint().height()), &field)
        .width();
}

}  // namespace

void ShowNumber(QLineEdit* field, std::int64_t value)
{
    const QString text = QString::number(value);
    field->setMaxLength(std::max(TypingLimit(*field), static_cast<int>(text.size())));
    field->setText(text);
    field->setMinimumWidth(WidthShowing(*field, text));
}

}  // namespace zk
