#pragma once
// The translation grid's rows as a table model: a view of the typed rows of
// the translation the workbench holds, drawn by the grid's rules (bold BACtalk
// columns, green when translated, red when overridden, silver and struck
// through when skipped).
#include <QAbstractTableModel>
#include <functional>

namespace vorlix {

class Translation;
class Workbench;

class TranslationModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit TranslationModel(Workbench &wb, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The translation changed as a whole (loaded, sorted, cleared).
    void reset();
    // One row changed (an override edit).
    void rowChanged(int row);

    std::function<bool()> isDark;

private:
    const Translation *translation() const;
    Workbench &m_wb;
};

} // namespace vorlix
