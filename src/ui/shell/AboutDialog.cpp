#include "shell/AboutDialog.h"

#include "util/Version.h"
#include "project/Messages.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace vorlix {

AboutDialog::AboutDialog(QWidget *parent) : QDialog(parent)
{
    setObjectName(u"TfrmAbout"_qs);
    setWindowTitle(msg::aboutCaption());
    const VersionParts v = splitVersion(QStringLiteral(VORLIX_VERSION));
    auto *layout = new QVBoxLayout(this);
    auto *name = new QLabel(u"Vorlix"_qs, this);
    QFont big = name->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.6);
    name->setFont(big);
    layout->addWidget(name);
    auto *purpose = new QLabel(u"Ibex to BACtalk conversion workbench"_qs, this);
    layout->addWidget(purpose);
    auto *version = new QLabel(msg::aboutVersion() + v.version, this);
    version->setObjectName(u"lbl_Version"_qs);
    layout->addWidget(version);
    auto *build = new QLabel(msg::aboutBuild() + v.build, this);
    build->setObjectName(u"lbl_Build"_qs);
    layout->addWidget(build);
    // Escape closes the dialog as the Close button does.
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setText(u"Close"_qs);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    setMinimumWidth(320);
}

} // namespace vorlix
