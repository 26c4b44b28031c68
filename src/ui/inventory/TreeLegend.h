#pragma once
// The key under an explorer tree: what its state images and its colours
// mean. The colours are those the tree draws, in the style's shades.
#include "common/CueColours.h"
#include "inventory/InventoryTree.h"

#include <QWidget>
#include <vector>

class QLabel;

namespace vorlix {

class TreeLegend : public QWidget {
    Q_OBJECT
public:
    explicit TreeLegend(InventoryTree::Kind kind, QWidget *parent = nullptr);
    // The texts of the key, in order (for tests and the manual).
    QStringList texts() const;
    // The colour an entry's text is drawn in.
    QColor colourOf(const QString &text) const;

protected:
    void changeEvent(QEvent *event) override;

private:
    void addEntry(int state, const QString &text, Cue cue);
    void recolour();

    struct Entry {
        QLabel *label;
        Cue cue;
    };
    std::vector<Entry> m_entries;
};

} // namespace vorlix
