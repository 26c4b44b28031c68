#include "translation/TranslationModel.h"

#include "commands/TranslateCommands.h"
#include "common/CueColours.h"
#include "project/Workbench.h"
#include "translate/Translation.h"

#include <QBrush>
#include <QFont>

namespace vorlix {

namespace {
// The grid's Windows colour values (0x00BBGGRR) as colours.
QColor windowsColor(uint32_t bgr)
{
    return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}
} // namespace

TranslationModel::TranslationModel(Workbench &wb, QObject *parent) : QAbstractTableModel(parent), m_wb(wb) {}

const Translation *TranslationModel::translation() const
{
    return loadedTranslation(m_wb);
}

int TranslationModel::rowCount(const QModelIndex &parent) const
{
    const Translation *t = translation();
    return parent.isValid() || !t ? 0 : int(t->rows().size());
}

int TranslationModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : Translation::ColCount;
}

QVariant TranslationModel::data(const QModelIndex &index, int role) const
{
    const Translation *t = translation();
    if (!t || !index.isValid() || index.row() >= int(t->rows().size()))
        return {};
    const TranslationRow &row = t->rows()[size_t(index.row())];
    const CellLook look = Translation::cellLook(row, index.column());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        return Translation::cellText(row, index.column());
    case Qt::ForegroundRole: {
        // The dark styles take the lighter shades of green and red: the
        // documented ones are hard to read on a dark background.
        const bool dark = isDark && isDark();
        switch (look) {
        case CellLook::Plain:
            return dark ? QBrush(Qt::white) : QBrush(Qt::black);
        case CellLook::Translated:
            return QBrush(dark ? cueColour(Cue::Green, true) : windowsColor(TranslatedColor));
        case CellLook::Skipped:
            return QBrush(windowsColor(SkippedColor));
        case CellLook::Overridden:
            return QBrush(dark ? cueColour(Cue::Red, true) : windowsColor(OverriddenColor));
        }
        return {};
    }
    case Qt::FontRole:
        if (look != CellLook::Plain) {
            QFont font;
            font.setBold(true);
            font.setStrikeOut(look == CellLook::Skipped);
            return font;
        }
        return {};
    default:
        return {};
    }
}

QVariant TranslationModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return Translation::columnTitle(section);
    return QAbstractTableModel::headerData(section, orientation, role);
}

void TranslationModel::reset()
{
    beginResetModel();
    endResetModel();
}

void TranslationModel::rowChanged(int row)
{
    emit dataChanged(index(row, 0), index(row, Translation::ColCount - 1));
}

} // namespace vorlix
