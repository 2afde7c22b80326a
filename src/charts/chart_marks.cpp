#include "charts/chart_marks.h"

namespace {

// A text in single quotes that can end neither its string nor the script.
QString quoted(const QString &text)
{
    QString out = QStringLiteral("'");
    for (const QChar c : text) {
        if (c == u'\\' || c == u'\'' || c == u'<' || c == u'>' || c == u'&' || c.unicode() < 0x20)
            out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
        else
            out += c;
    }
    return out + QLatin1Char('\'');
}

} // namespace

QStringList tickMarkScript(const QList<TickMark> &marks, const TickKeys &keys)
{
    if (marks.isEmpty())
        return {};
    QStringList entries;
    entries.reserve(marks.size());
    for (const TickMark &mark : marks)
        entries.append(
            QStringLiteral("{day: %1, text: %2}").arg(quoted(mark.tick), quoted(mark.text)));
    // Chart.js 2 has no annotations: a plugin draws a dashed line on the
    // tick of each line chart and the text beside it, on the left of the
    // line in the right half of the chart.
    return {
        QStringLiteral("var medicationMarks = [") + entries.join(QStringLiteral(", ")) +
            QStringLiteral("];"),
        QStringLiteral(
            "Chart.plugins.register({afterDatasetsDraw: function(chart) { if "
            "(chart.config.type !== 'line') return; var scale = chart.scales['x-axis-0']; var "
            "labels = chart.data.labels || []; var area = chart.chartArea; var ctx = chart.ctx; "
            "var row = 0;"),
        QStringLiteral(
            "medicationMarks.forEach(function(mark) { for (var i = 0; i < labels.length; i++) { "
            "if (%1 !== mark.day) continue; var x = "
            "scale.getPixelForTick(i); var right = x > (area.left + area.right) / 2; "
            "ctx.save(); ctx.strokeStyle = '#7B2FBE'; ctx.lineWidth = 2; ctx.setLineDash([6, "
            "4]); ctx.beginPath(); ctx.moveTo(x, area.top); ctx.lineTo(x, area.bottom); "
            "ctx.stroke();")
            .arg(keys.labelKey),
        QStringLiteral(
            "ctx.setLineDash([]); ctx.fillStyle = '#7B2FBE'; ctx.font = "
            "Chart.helpers.fontString(12, 'bold', %1); ctx.textAlign = right ? 'right' "
            ": 'left'; ctx.textBaseline = 'top'; ctx.fillText(mark.text, right ? x - 4 : x + 4, "
            "area.top + 4 + 16 * row); ctx.restore(); row++; } }); }});")
            .arg(keys.fontFamily),
    };
}
