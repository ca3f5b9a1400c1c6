#include "app/Sheets.h"

#include "ProductInfo.h"
#include "app/Artwork.h"
#include "app/PictureFileFilter.h"
#include "render/ProfileFiles.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>

namespace {

template <class Dialog> Dialog* AsSheet(Dialog* dialog) {
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowModality(Qt::WindowModal);
    return dialog;
}

} // namespace

QFileDialog* Sheets::OpenPanel(QWidget* window) {
    auto* panel = AsSheet(new QFileDialog(window, QFileDialog::tr("Open a picture")));
    panel->setAcceptMode(QFileDialog::AcceptOpen);
    panel->setFileMode(QFileDialog::ExistingFile);
    // Files without an extension are admitted too, which takes a filter model
    // rather than name patterns; only Qt's own dialog accepts one.
    panel->setOption(QFileDialog::DontUseNativeDialog);
    panel->setOption(QFileDialog::HideNameFilterDetails);
    panel->setNameFilter(QFileDialog::tr("Pictures (*)"));
    panel->setProxyModel(new PictureFileFilter(panel));
    return panel;
}

QFileDialog* Sheets::SavePanel(QWidget* window, const QString& format) {
    auto* panel = AsSheet(new QFileDialog(window, QFileDialog::tr("Save the profile pictures")));
    panel->setAcceptMode(QFileDialog::AcceptSave);
    panel->setFileMode(QFileDialog::AnyFile);
    QStringList types;
    for (const QString& extension : ProfileFiles::WritableFormats()) {
        types << QStringLiteral("%1 (*.%2)").arg(ProfileFiles::FormatName(extension), extension);
    }
    panel->setNameFilters(types);
    panel->selectNameFilter(types.value(ProfileFiles::WritableFormats().indexOf(format)));
    return panel;
}

QString Sheets::ChosenFormat(const QFileDialog* panel) {
    const QStringList& formats = ProfileFiles::WritableFormats();
    const qsizetype row = panel->nameFilters().indexOf(panel->selectedNameFilter());
    return formats.value(row, formats.first());
}

QMessageBox* Sheets::NewVersionAlert(QWidget* window, const char* productPage, QPushButton** yes) {
    const QString page = QString::fromLatin1(productPage);
    auto* alert = AsSheet(new QMessageBox(window));
    alert->setIcon(QMessageBox::Information);
    alert->setWindowTitle(QStringLiteral("Trellica"));
    alert->setText(
        QStringLiteral("A new Version of the Trellica is available.\nVisit %1 ?").arg(page));
    alert->setInformativeText(QStringLiteral("Click yes to open %1 in your browser.").arg(page));
    *yes = alert->addButton(QStringLiteral("Yes"), QMessageBox::AcceptRole);
    alert->addButton(QStringLiteral("No"), QMessageBox::RejectRole);
    alert->setDefaultButton(*yes);
    return alert;
}

QMessageBox* Sheets::AboutBox(QWidget* window) {
    auto* about = AsSheet(new QMessageBox(window));
    about->setIconPixmap(QPixmap::fromImage(Artwork::AppIcon(64)));
    about->setWindowTitle(QMessageBox::tr("About Trellica"));
    about->setText(QStringLiteral("<b>Trellica %1</b>").arg(QLatin1String(ProductInfo::kVersion)));
    about->setInformativeText(
        QMessageBox::tr("Turns one photograph into profile pictures for five social networks."
                        "<br><br>Free software under the %1 licence.")
            .arg(QLatin1String(ProductInfo::kLicense)));
    about->setStandardButtons(QMessageBox::Ok);
    return about;
}
