// The conversion report: JSON (UTF-8, as JSON is) and a self-contained page
// (ASCII with character references, CR LF, so it reads the same whatever
// code page the viewer assumes).
#include "commands/ConversionReport.h"

#include "commands/ConversionThumbnails.h"
#include "util/FileUtil.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QUrl>

namespace vorlix {

QString stageStatusText(StageResult::Status status)
{
    switch (status) {
    case StageResult::Status::Ok: return u"ok"_qs;
    case StageResult::Status::Failed: return u"failed"_qs;
    case StageResult::Status::Skipped: return u"skipped"_qs;
    }
    return {};
}

QString displayStatusText(DisplayResult::Status status)
{
    switch (status) {
    case DisplayResult::Status::Written: return u"written"_qs;
    case DisplayResult::Status::Kept: return u"kept"_qs;
    case DisplayResult::Status::Redirected: return u"redirected"_qs;
    case DisplayResult::Status::Skipped: return u"skipped"_qs;
    case DisplayResult::Status::Failed: return u"failed"_qs;
    }
    return {};
}

bool ConversionReport::failed() const
{
    for (const StageResult &s : stages)
        if (s.status == StageResult::Status::Failed)
            return true;
    return false;
}

namespace {

QString displayName(const DisplayResult &d) { return d.local ? u"local job "_qs + d.ibex : d.ibex; }

QJsonArray strings(const QStringList &list) { return QJsonArray::fromStringList(list); }

} // namespace

QStringList ConversionReport::needsAHand() const
{
    QStringList out;
    if (cancelled)
        out << u"The conversion was cancelled: run it again to finish it."_qs;
    for (const StageResult &s : stages)
        if (s.status == StageResult::Status::Failed)
            out << QStringLiteral("Stage \"%1\" failed: %2").arg(s.name, s.message);
    for (const DisplayResult &d : displays) {
        if (d.status == DisplayResult::Status::Failed)
            out << QStringLiteral("Display %1 was not converted: %2").arg(displayName(d), d.reason);
        else if (d.status == DisplayResult::Status::Kept)
            out << QStringLiteral("Display %1: the existing %2 was kept (run with --yes to replace it).")
                       .arg(displayName(d), d.bactalk);
        if (!d.problems.empty())
            out << QStringLiteral("Display %1: %2 translation problem(s) to check.")
                       .arg(displayName(d)).arg(d.problems.size());
    }
    for (const QString &f : missingFiles)
        out << u"Missing file: "_qs + f;
    for (const QString &f : tdcMissing)
        out << u"Tux DDC file missing: "_qs + f;
    for (const QString &f : tdcFailed)
        out << f;
    if (!devicesWithoutTdcNames.isEmpty())
        out << u"Tux DDC files of devices that have no Tux row (no control panel calls them): "_qs
                   + devicesWithoutTdcNames.join(u", "_qs);
    if (notWritten > 0)
        out << QStringLiteral("%1 device row(s) were not merged (see the log).").arg(notWritten);
    return out;
}

QByteArray ConversionReport::toJson() const
{
    QJsonObject root;
    root[u"job"_qs] = job;
    root[u"bactalk"_qs] = bactalk;
    root[u"cancelled"_qs] = cancelled;
    QJsonArray st;
    for (const StageResult &s : stages)
        st.append(QJsonObject{{u"name"_qs, s.name},
                              {u"status"_qs, stageStatusText(s.status)},
                              {u"seconds"_qs, s.seconds},
                              {u"message"_qs, s.message}});
    root[u"stages"_qs] = st;
    QJsonArray ds;
    for (const DisplayResult &d : displays) {
        QJsonArray problems;
        for (const ObjectProblem &p : d.problems)
            problems.append(QJsonObject{{u"object"_qs, p.object}, {u"text"_qs, p.text}});
        QJsonObject o{{u"ibex"_qs, d.ibex},
                      {u"local"_qs, d.local},
                      {u"bactalk"_qs, d.bactalk},
                      {u"objects"_qs, d.objects},
                      {u"scanned"_qs, d.scanned},
                      {u"problems"_qs, problems},
                      {u"status"_qs, displayStatusText(d.status)},
                      {u"reason"_qs, d.reason}};
        if (!d.thumbnailIbex.isEmpty())
            o[u"thumbnails"_qs] = QJsonObject{{u"ibex"_qs, d.thumbnailIbex}, {u"bactalk"_qs, d.thumbnailBactalk}};
        if (!d.thumbnailNote.isEmpty())
            o[u"thumbnailNote"_qs] = d.thumbnailNote;
        ds.append(o);
    }
    root[u"displays"_qs] = ds;
    root[u"thumbnailFolder"_qs] = QLatin1String(kReportPictures);
    root[u"missingFiles"_qs] = strings(missingFiles);
    root[u"scripts"_qs] = strings(scripts);
    root[u"tdc"_qs] = QJsonObject{{u"copied"_qs, strings(tdcCopied)},
                                  {u"exists"_qs, strings(tdcExists)},
                                  {u"missing"_qs, strings(tdcMissing)},
                                  {u"failed"_qs, strings(tdcFailed)}};
    root[u"devices"_qs] = QJsonObject{{u"gateways"_qs, gateways},
                                      {u"tux"_qs, tux},
                                      {u"workstations"_qs, workstations},
                                      {u"merged"_qs, merged},
                                      {u"notWritten"_qs, notWritten},
                                      {u"mergeDestination"_qs, mergeDestination},
                                      {u"withoutTdcName"_qs, strings(devicesWithoutTdcNames)}};
    root[u"needsAHand"_qs] = strings(needsAHand());
    root[u"notes"_qs] = strings(notes);
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

namespace {

// HTML text: markup characters escaped, everything outside ASCII as a
// character reference.
QString esc(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        if (c == u'&')
            out += u"&amp;"_qs;
        else if (c == u'<')
            out += u"&lt;"_qs;
        else if (c == u'>')
            out += u"&gt;"_qs;
        else if (c == u'"')
            out += u"&quot;"_qs;
        else if (c.unicode() > 126 || (c.unicode() < 32 && c != u'\t'))
            out += QStringLiteral("&#%1;").arg(int(c.unicode()));
        else
            out += c;
    }
    return out;
}

void list(QStringList &h, const QString &title, const QStringList &items, const QString &none)
{
    h << u"<h2>"_qs + esc(title) + QStringLiteral(" (%1)</h2>").arg(items.size());
    if (items.isEmpty()) {
        h << u"<p class=\"none\">"_qs + esc(none) + u"</p>"_qs;
        return;
    }
    h << u"<ul>"_qs;
    for (const QString &i : items)
        h << u"<li>"_qs + esc(i) + u"</li>"_qs;
    h << u"</ul>"_qs;
}

// A display's two pictures side by side, linked by relative paths into the
// pictures folder; the note when it has none.
QString thumbnails(const DisplayResult &d)
{
    if (d.thumbnailIbex.isEmpty())
        return esc(d.thumbnailNote);
    const auto img = [](const QString &file, const QString &alt) {
        const QString src = QLatin1String(kReportPictures) + u'/'
                            + QString::fromLatin1(QUrl::toPercentEncoding(file, "-._~"));
        return QStringLiteral("<figure><img src=\"%1\" alt=\"%2\"><figcaption>%2</figcaption></figure>")
            .arg(esc(src), esc(alt));
    };
    return img(d.thumbnailIbex, u"Ibex"_qs) + img(d.thumbnailBactalk, u"BACtalk"_qs);
}

// The display table: one row per listed display with its problems and pictures.
void displayTable(QStringList &h, const std::vector<DisplayResult> &displays)
{
    h << QStringLiteral("<h2>Displays (%1)</h2>").arg(displays.size());
    h << u"<table><tr><th>Ibex file</th><th>BACtalk file</th><th>Status</th><th>Objects</th>"
         "<th>Translation problems</th><th>Ibex and BACtalk</th></tr>"_qs;
    for (const DisplayResult &d : displays) {
        QStringList problems;
        for (const ObjectProblem &p : d.problems)
            problems << QStringLiteral("Obj.%1: %2").arg(p.object).arg(esc(p.text));
        QString status = displayStatusText(d.status);
        if (!d.reason.isEmpty())
            status += u": "_qs + d.reason;
        if (!d.scanned)
            status += u" (unreferenced)"_qs;
        h << QStringLiteral("<tr><td>%1</td><td>%2</td><td%3>%4</td><td>%5</td><td>%6</td><td>%7</td></tr>")
                 .arg(esc(displayName(d)), esc(d.bactalk),
                      d.status == DisplayResult::Status::Failed ? u" class=\"failed\""_qs : QString(), esc(status),
                      QString::number(d.objects), problems.join(u"<br>"_qs), thumbnails(d));
    }
    h << u"</table>"_qs;
}

} // namespace

QByteArray ConversionReport::toHtml() const
{
    QStringList h;
    h << u"<!DOCTYPE html>"_qs << u"<html><head><meta charset=\"us-ascii\">"_qs
      << u"<title>Conversion report</title>"_qs
      << u"<style>body{font-family:sans-serif;font-size:10pt;margin:1.5em}"
         "table{border-collapse:collapse;margin-bottom:1em}"
         "td,th{border:1px solid #999;padding:2px 6px;text-align:left;vertical-align:top}"
         "th{background:#ddd}.failed{color:#a00;font-weight:bold}.none{color:#666}"
         ".hand li{color:#a00}figure{display:inline-block;margin:0 6px 0 0;text-align:center}"
         "figure img{border:1px solid #999;max-width:240px}@media print{h2{page-break-after:avoid}}</style></head><body>"_qs;
    h << u"<h1>Conversion report</h1>"_qs;
    h << u"<p>Ibex job: "_qs + esc(QDir::toNativeSeparators(job)) + u"<br>BACtalk job: "_qs
             + esc(QDir::toNativeSeparators(bactalk)) + u"</p>"_qs;

    int written = 0, kept = 0, other = 0;
    for (const DisplayResult &d : displays)
        (d.status == DisplayResult::Status::Written ? written : d.status == DisplayResult::Status::Kept ? kept : other)++;
    h << QStringLiteral("<p>Summary: %1 of %2 stages ok%3; displays: %4 written, %5 kept, %6 not converted; "
                        "%7 script(s); Tux files: %8 copied, %9 already there, %10 missing; "
                        "devices: %11 gateway(s), %12 Tux, %13 workstation(s), %14 merged.</p>")
             .arg(std::count_if(stages.begin(), stages.end(), [](const StageResult &s) { return s.status == StageResult::Status::Ok; }))
             .arg(stages.size())
             .arg(cancelled ? u", <span class=\"failed\">cancelled</span>"_qs : QString())
             .arg(written).arg(kept).arg(other).arg(scripts.size())
             .arg(tdcCopied.size()).arg(tdcExists.size()).arg(tdcMissing.size())
             .arg(gateways).arg(tux).arg(workstations).arg(merged);

    const QStringList hand = needsAHand();
    h << QStringLiteral("<h2>Needs a hand (%1)</h2>").arg(hand.size());
    if (hand.isEmpty()) {
        h << u"<p class=\"none\">Nothing: the conversion is complete.</p>"_qs;
    } else {
        h << u"<ul class=\"hand\">"_qs;
        for (const QString &i : hand)
            h << u"<li>"_qs + esc(i) + u"</li>"_qs;
        h << u"</ul>"_qs;
    }

    h << u"<h2>Stages</h2><table><tr><th>Stage</th><th>Status</th><th>Seconds</th><th>Message</th></tr>"_qs;
    for (const StageResult &s : stages)
        h << QStringLiteral("<tr><td>%1</td><td%2>%3</td><td>%4</td><td>%5</td></tr>")
                 .arg(esc(s.name), s.status == StageResult::Status::Failed ? u" class=\"failed\""_qs : QString(),
                      stageStatusText(s.status), QString::number(s.seconds, 'f', 3), esc(s.message));
    h << u"</table>"_qs;

    displayTable(h, displays);

    list(h, u"Missing files"_qs, missingFiles, u"None."_qs);
    list(h, u"Scripts written"_qs, scripts, u"None."_qs);
    list(h, u"Tux DDC files copied"_qs, tdcCopied, u"None."_qs);
    list(h, u"Tux DDC files already there"_qs, tdcExists, u"None."_qs);
    list(h, u"Tux DDC files missing"_qs, tdcMissing, u"None."_qs);
    if (!tdcFailed.isEmpty())
        list(h, u"Tux DDC files not copied"_qs, tdcFailed, u"None."_qs);
    h << u"<h2>Devices</h2>"_qs
      << QStringLiteral("<p>Gateways built: %1<br>Tux controllers built: %2<br>Workstations: %3<br>"
                        "Devices merged: %4%5<br>Rows not written by the merge: %6</p>")
             .arg(gateways).arg(tux).arg(workstations).arg(merged)
             .arg(mergeDestination.isEmpty() ? u" (no merge)"_qs
                                              : u" into "_qs + esc(QDir::toNativeSeparators(mergeDestination)))
             .arg(notWritten);
    list(h, u"Tux DDC files of devices without a Tux row"_qs, devicesWithoutTdcNames, u"None."_qs);
    list(h, u"Messages of the stages"_qs, notes, u"None."_qs);
    h << u"</body></html>"_qs;
    return (h.join(u"\r\n"_qs) + u"\r\n"_qs).toLatin1();
}

void writeConversionReport(const ConversionReport &report, const QString &folder)
{
    const QDir dir(folder);
    writeFileAtomically(dir.filePath(QLatin1String(kReportJson)), report.toJson());
    writeFileAtomically(dir.filePath(QLatin1String(kReportHtml)), report.toHtml());
}

} // namespace vorlix
