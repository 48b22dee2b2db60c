#include "tests/shell/text_fit.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QStyleOptionFrame>
#include <QStyleOptionGroupBox>
#include <QTextDocument>
#include <QToolButton>

#include <algorithm>

namespace quelmaro::test {

namespace {

// Room the window system leaves for a caption: the window's width less its icon and three title buttons.
constexpr int kTitleButtonsWidth = 100;

QString plain(const QString& text) {
    QString shown = text;
    shown.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    shown.remove(u'&');
    shown.replace(u'\x01', u'&');
    return shown;
}

QString describe(const QWidget& widget, const QString& text, int needs, int has) {
    const QString name = widget.objectName().isEmpty() ? QString::fromLatin1(widget.metaObject()->className())
                                                       : widget.objectName();
    return QStringLiteral("%1 \"%2\": needs %3, has %4").arg(name, text).arg(needs).arg(has);
}

void checkLabel(const QLabel& label, QStringList& cut) {
    if (label.text().isEmpty() || Qt::mightBeRichText(label.text()))
        return;
    const QFontMetrics metrics = label.fontMetrics();
    const int indent = label.indent() >= 0      ? label.indent()
                       : label.frameWidth() > 0 ? metrics.horizontalAdvance(u'x') / 2
                                                : 0;
    const QRect room = label.contentsRect().adjusted(label.margin() + indent, label.margin(),
                                                     -label.margin() - indent, -label.margin());
    const QString text = plain(label.text());
    if (!label.wordWrap()) {
        if (metrics.horizontalAdvance(text) > room.width())
            cut << describe(label, text, metrics.horizontalAdvance(text), room.width());
        if (metrics.height() > room.height())
            cut << describe(label, text + QStringLiteral(" (height)"), metrics.height(), room.height());
        return;
    }
    for (const QString& word : text.split(u' '))
        if (metrics.horizontalAdvance(word) > room.width())
            cut << describe(label, word, metrics.horizontalAdvance(word), room.width());
    const int height = metrics.boundingRect(room, Qt::TextWordWrap, text).height();
    if (height > room.height())
        cut << describe(label, text + QStringLiteral(" (height)"), height, room.height());
}

void checkButton(const QAbstractButton& button, QStringList& cut) {
    if (button.text().isEmpty())
        return;
    const QString text = plain(button.text());
    if (const auto* push = qobject_cast<const QPushButton*>(&button)) {
        // The style's own minimum width for push buttons says nothing about the text.
        const QStyle& style = *push->style();
        const int iconWidth = push->icon().isNull() ? 0 : push->iconSize().width() + 4;
        const int needs = push->fontMetrics().horizontalAdvance(text) + iconWidth +
                          style.pixelMetric(QStyle::PM_ButtonMargin) +
                          2 * style.pixelMetric(QStyle::PM_DefaultFrameWidth);
        if (needs > push->width())
            cut << describe(button, text, needs, push->width());
        return;
    }
    if (const auto* tool = qobject_cast<const QToolButton*>(&button)) {
        // The image above the caption, both inside the button's frame.
        const QFontMetrics metrics = tool->fontMetrics();
        const int frame = 2 * tool->style()->pixelMetric(QStyle::PM_DefaultFrameWidth);
        const bool under = tool->toolButtonStyle() == Qt::ToolButtonTextUnderIcon;
        const int needs = (under ? std::max(tool->iconSize().width(), metrics.horizontalAdvance(text))
                                 : metrics.horizontalAdvance(text)) +
                          frame;
        const int height = (under ? tool->iconSize().height() + 4 : 0) + metrics.height() + frame;
        if (needs > tool->width())
            cut << describe(button, text, needs, tool->width());
        if (height > tool->height())
            cut << describe(button, text + QStringLiteral(" (height)"), height, tool->height());
        return;
    }
    const QSize needs = button.sizeHint();
    if (needs.width() > button.width())
        cut << describe(button, text, needs.width(), button.width());
    if (needs.height() > button.height())
        cut << describe(button, text + QStringLiteral(" (height)"), needs.height(), button.height());
}

QRect groupInside(const QGroupBox& group) {
    QStyleOptionGroupBox option;
    option.initFrom(&group);
    option.text = group.title();
    option.lineWidth = 1;
    option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
    return group.style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxContents, &group);
}

void checkGroup(const QGroupBox& group, QStringList& cut) {
    // Titles are drawn in bold.
    QFont bold = group.font();
    bold.setBold(true);
    const QString title = plain(group.title());
    const int needs = QFontMetrics(bold).horizontalAdvance(title) + 8;
    if (needs > group.width())
        cut << describe(group, title, needs, group.width());
    const QRect inside = groupInside(group);
    for (const QWidget* child : group.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (child->isVisible() && !inside.contains(child->geometry()))
            cut << describe(*child, QStringLiteral("inside of %1").arg(title), child->geometry().top(),
                            inside.top());
}

void checkLineEdit(const QLineEdit& edit, QStringList& cut) {
    QStyleOptionFrame option;
    option.initFrom(&edit);
    option.rect = edit.rect();
    option.lineWidth = edit.hasFrame() ? edit.style()->pixelMetric(QStyle::PM_DefaultFrameWidth) : 0;
    const QMargins margins = edit.textMargins();
    const int room = edit.style()->subElementRect(QStyle::SE_LineEditContents, &option, &edit).width() -
                     margins.left() - margins.right() - 2 * 2; // QLineEdit's own margin either side
    const int needs = edit.fontMetrics().horizontalAdvance(edit.displayText());
    if (needs > room)
        cut << describe(edit.parentWidget() && qobject_cast<const QAbstractSpinBox*>(edit.parentWidget())
                            ? *edit.parentWidget()
                            : static_cast<const QWidget&>(edit),
                        edit.displayText(), needs, room);
}

void checkComboBox(const QComboBox& list, QStringList& cut) {
    if (list.isEditable())
        return; // its line edit is checked as one
    QStyleOptionComboBox option;
    option.initFrom(&list);
    option.editable = false;
    option.frame = list.hasFrame();
    option.currentText = list.currentText();
    const int room = list.style()
                         ->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, &list)
                         .width();
    const int needs = list.fontMetrics().horizontalAdvance(list.currentText());
    if (needs > room)
        cut << describe(list, list.currentText(), needs, room);
}

void checkCaption(const QWidget& window, QStringList& cut) {
    // The window system appends a display name that differs from the application's name to every caption.
    QString caption = window.windowTitle();
    if (QGuiApplication::applicationDisplayName() != QCoreApplication::applicationName())
        caption += QStringLiteral(" — ") + QGuiApplication::applicationDisplayName();
    QFont titleFont = QApplication::font();
    titleFont.setBold(true);
    const int needs = QFontMetrics(titleFont).horizontalAdvance(caption);
    if (needs > window.width() - kTitleButtonsWidth)
        cut << describe(window, caption, needs, window.width() - kTitleButtonsWidth);
}

bool insideScrollArea(const QWidget& widget) {
    for (const QWidget* parent = widget.parentWidget(); parent; parent = parent->parentWidget())
        if (qobject_cast<const QScrollArea*>(parent))
            return true;
    return false;
}

} // namespace

QStringList cutTexts(const QWidget& window) {
    QStringList cut;
    checkCaption(window, cut);
    for (const QWidget* widget : window.findChildren<QWidget*>()) {
        if (!widget->isVisible() || insideScrollArea(*widget))
            continue;
        if (widget->parentWidget() == &window && !window.rect().contains(widget->geometry()))
            cut << describe(*widget, QStringLiteral("inside of the window"), widget->geometry().bottom(),
                            window.height());
        if (const auto* label = qobject_cast<const QLabel*>(widget))
            checkLabel(*label, cut);
        else if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
            checkButton(*button, cut);
        else if (const auto* group = qobject_cast<const QGroupBox*>(widget))
            checkGroup(*group, cut);
        else if (const auto* edit = qobject_cast<const QLineEdit*>(widget))
            checkLineEdit(*edit, cut);
        else if (const auto* list = qobject_cast<const QComboBox*>(widget))
            checkComboBox(*list, cut);
    }
    return cut;
}

void saveScreenshot(QWidget& window, const QString& name) {
    const QString folder = qEnvironmentVariable("QUELMARO_SCREENSHOTS");
    if (folder.isEmpty())
        return;
    QDir().mkpath(folder);
    window.grab().save(QDir(folder).filePath(name + QStringLiteral(".png")));
}

} // namespace quelmaro::test
