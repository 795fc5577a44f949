#include "window/textbox.h"

namespace rb {

TextBox::TextBox(const QString& name, QWidget* parent) : QLineEdit(parent) {
    setObjectName(name);
    setFrame(false);
    setTextMargins(0, 0, 0, 0);
    QLineEdit::setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    applyStyle();
}

void TextBox::setColors(const QColor& back, const QColor& fore) {
    m_back = back;
    m_fore = fore;
    applyStyle();
}

void TextBox::applyStyle() {
    setStyleSheet(QStringLiteral("QLineEdit { background: %1; color: %2; border: 1px solid black;"
                                 " padding: 0px 1px; selection-background-color: #000080;"
                                 " selection-color: white; }")
                      .arg(m_back.name(), m_fore.name()));
}

} // namespace rb
