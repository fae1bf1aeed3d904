#include "ui/CalCellText.h"
#include <QCoreApplication>
#include <QFontMetrics>
#include <QTextLayout>

namespace {

// The text broken at word boundaries (or inside a word longer than the
// width) into lines no wider than width.
QStringList WrappedLines(const QString& text, const QFont& font, int width) {
    QStringList out;
    QTextLayout layout(text, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        out << text.mid(line.textStart(), line.textLength()).trimmed();
    }
    layout.endLayout();
    if (out.isEmpty())
        out << QString();
    return out;
}

} // namespace

QString MoreText(int hidden) {
    return QCoreApplication::translate("TCalFrm", "+%1 more").arg(hidden);
}

TCellLines LayOutCellLines(int count, const std::function<QString(int)>& text, const QFont& font,
                           int width, int maxLines, bool wrap) {
    TCellLines out;
    const QFontMetrics fm(font);
    int room = maxLines;
    int shown = 0;
    for (; shown < count; ++shown) {
        const QString t = text(shown);
        QStringList lines = wrap ? WrappedLines(t, font, width)
                                 : QStringList{fm.elidedText(t, Qt::ElideRight, width)};
        // A line stays free for "+N more" while events follow.
        const int reserve = shown + 1 < count ? 1 : 0;
        if (lines.size() + reserve <= room) {
            out.Lines += lines;
            room -= static_cast<int>(lines.size());
            continue;
        }
        // Part of a wrapped text, its last shown line ending in an ellipsis.
        const int part = room - reserve;
        if (part >= 1) {
            lines = lines.mid(0, part);
            lines.last() =
                fm.elidedText(lines.last() + QStringLiteral("\u2026"), Qt::ElideRight, width);
            out.Lines += lines;
            ++shown;
        }
        break;
    }
    out.Hidden = count - shown;
    if (out.Hidden > 0 && static_cast<int>(out.Lines.size()) < maxLines)
        out.Lines << MoreText(out.Hidden);
    return out;
}
