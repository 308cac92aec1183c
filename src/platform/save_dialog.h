#pragma once
// The standard dialog that asks for the name of a file to write.
#include <optional>

#include <QString>
#include <QStringList>

class QWidget;

namespace solifa {

// The name the user chose, and the filter selected when the dialog was confirmed.
struct SaveChoice {
    QString path;
    int filter = -1; // 0-based index into the filters offered
    bool operator==(const SaveChoice&) const = default;
};

class SaveDialog {
public:
    virtual ~SaveDialog() = default;
    // `filters` are Qt name filters such as "Bitmap (*.BMP *.bmp)"; `selectedFilter` is the
    // 0-based index of the one preselected. The name field offers `presetPath` exactly as it
    // is; the dialog adds no default suffix to a typed name and does not ask before an
    // existing file is chosen. nullopt when the user cancels.
    virtual std::optional<SaveChoice> choose(QWidget* parent, const QString& presetPath,
                                             const QStringList& filters, int selectedFilter) = 0;
};

} // namespace solifa
