#pragma once
// The pictures of the conversion report: each display the conversion wrote,
// drawn small as the Ibex display and the BACtalk display written from it,
// kept as PNG files in a folder beside the report.
#include <QByteArray>
#include <QString>
#include <memory>

namespace vorlix {

class BackgroundWriter;
class Workbench;
struct DisplayResult;

// The folder of the pictures, inside the BACtalk job folder.
inline constexpr auto kReportPictures = "report";
// A thumbnail is at most this wide and this high.
inline constexpr int kThumbnailSide = 240;

// Whether pictures can be drawn: the fonts of the texts need a GUI
// application (in the window there is one; the CLI makes one when it can).
bool canDrawThumbnails();

// The file names of a display's two pictures, from its BACtalk file name.
QString ibexThumbnailName(const QString &bactalkFile);
QString bactalkThumbnailName(const QString &bactalkFile);

// Draws the report's pictures of the displays a conversion makes, both at
// thumbnail size with one scale for both (so a display written at another
// size shows it). The Ibex picture is drawn at once, from the translation
// loaded in the workbench; the BACtalk picture and the PNG files follow on
// a thread of their own, and the files go to the pictures folder through
// the background writer. A display whose pictures cannot be drawn or
// written gets a note saying why instead; nothing is thrown.
class ThumbnailMaker {
public:
    ThumbnailMaker(const QString &bactalk, BackgroundWriter &writer);
    ~ThumbnailMaker();
    ThumbnailMaker(const ThumbnailMaker &) = delete;
    ThumbnailMaker &operator=(const ThumbnailMaker &) = delete;

    // The display `d` (its BACtalk file `d.bactalk` in the "displays" folder
    // of the BACtalk job) was just made as `btBytes` from the translation
    // loaded in `wb`. `d` must stay where it is until finish().
    void add(Workbench &wb, DisplayResult &d, const QByteArray &btBytes);
    // Waits for every picture, its file included; then each display has
    // its two picture names, or a note.
    void finish();

private:
    struct Work;
    void run();

    struct State;
    std::unique_ptr<State> m;
};

} // namespace vorlix
