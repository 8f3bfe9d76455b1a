#include "camera/views/canon/CanonBaseNameDialog.h"

#include "platform/widgets/FileChooser.h"

#include <QDir>
#include <QFileDialog>

namespace CanonBaseNameDialog {

QString choose(const CanonControl::BaseNameRequest& request, QWidget* parent)
{
    QFileDialog dialog(parent, request.title, request.folder);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setLabelText(QFileDialog::FileName, request.message);
    dialog.selectFile(request.name);
    QDir().mkpath(request.folder);
    if (!FileChooser::exec(dialog))
        return {};
    return dialog.selectedFiles().constFirst();
}

}  // namespace CanonBaseNameDialog
