#pragma once
// "Create BACtalk Display" over the translation grid: the grid's rows, in
// object order, with their overrides, go through the display creation; the
// loaded display's records keep the changes the creation makes to them
// until the display is loaded again.
#include "displays/DisplayCreator.h"

#include <QByteArray>
#include <memory>

namespace vorlix {

class ProjectDatabase;
class TranslationGrid;
class Workbench;

class DisplayCreation {
public:
    DisplayCreation(const ProjectVariables &vars, const Settings &settings, SessionLog &log, Prompter &prompter,
                    TranslationGrid &grid);
    // The workbench's options, settings, log, prompter and the folders of the
    // project open now (make one per command).
    DisplayCreation(Workbench &wb, TranslationGrid &grid);
    ~DisplayCreation();

    // CreateEFBDisplay: nothing happens unless a display is loaded (the
    // result then says nothing was written). `selectedRow` is the grid row
    // of single-row mode (Ctrl+Alt held), -1 for the whole display. After a
    // written display the grid no longer counts as edited.
    CreationResult createBtDisplay(int selectedRow = -1);

    DisplayCreator &creator() { return *m_creator; }
    // The project database the grid's lookups read: a run reads it inside
    // one transaction (one lock for the whole run instead of one per lookup).
    ProjectDatabase *database = nullptr;

private:
    // The loaded display's bytes as creation has changed them.
    QByteArray &workingBytes();

    TranslationGrid &m_grid;
    std::unique_ptr<DisplayCreator> m_creator;
    QByteArray m_loadedBytes; // shares the grid's bytes of the load it belongs to
    QByteArray m_working;
};

} // namespace vorlix
