#pragma once

#include <QString>

class QFileDialog;
class QMessageBox;
class QPushButton;
class QWidget;

// The window-modal sheets of the main window, built ready to open(). Each
// deletes itself when closed.
class Sheets {
public:
    Sheets() = delete;

    // Choose one picture file: the admitted types and files without extension.
    static QFileDialog* OpenPanel(QWidget* window);
    // Choose the name the profile pictures are saved under.
    // Its type list offers the writable formats, TIFF first; format is chosen.
    static QFileDialog* SavePanel(QWidget* window, const QString& format);
    // The extension of the format the save sheet's type list chose.
    static QString ChosenFormat(const QFileDialog* panel);
    // Offer the product page at productPage; *yes receives the "Yes" button.
    static QMessageBox* NewVersionAlert(QWidget* window, const char* productPage,
                                        QPushButton** yes);
    // Help > About: the version, what Trellica is, its licence.
    static QMessageBox* AboutBox(QWidget* window);
};
