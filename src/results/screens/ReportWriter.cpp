#include "results/screens/ReportWriter.h"

#include "bank/HtmlPage.h"
#include "results/PrintDirectory.h"
#include "results/screens/ReportChart.h"

namespace
{

std::optional<FileError> writeFile(const QString& path, const std::string& bytes)
{
    FileError error;
    if (!htmlpage::writePage(path, bytes, &error))
        return error;
    return std::nullopt;
}

} // namespace

std::optional<FileError> WriteXbm(const QImage& image, const QString& path)
{
    return writeFile(path, xbmText(image));
}

std::optional<FileError> WriteReport(const QString& printDir, const ReportData& data, const TrendChart& chart)
{
    PrintTemplate print;
    if (auto missing = ReadPrintTemplate(printDir, print))
        return missing; // nothing written

    const QImage rate = drawReportChart(chart, ReportChartKind::Rate);
    const QImage time = drawReportChart(chart, ReportChartKind::Time);
    if (auto failed = WriteXbm(rate, print.dir + QLatin1String(kRateChartXbm)))
        return failed;
    if (auto failed = WriteXbm(time, print.dir + QLatin1String(kTimeChartXbm)))
        return failed;
    if (auto failed = writeFile(print.dir + QLatin1String(kRateChartPng), pngBytes(rate)))
        return failed;
    if (auto failed = writeFile(print.dir + QLatin1String(kTimeChartPng), pngBytes(time)))
        return failed;
    return WritePrintPage(print, QStringLiteral("Print.htm"), ReportPageLines(data));
}
