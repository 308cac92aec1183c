#pragma once
// Modal message boxes with one OK button.

class QString;
class QWidget;

namespace solifa {

class MessageBox {
public:
    virtual ~MessageBox() = default;
    // Information icon.
    virtual void information(QWidget* parent, const QString& title, const QString& text) = 0;
    // Warning icon: something the user asked for did not happen.
    virtual void error(QWidget* parent, const QString& title, const QString& text) = 0;
};

} // namespace solifa
