#include "ui/window/differences_dialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace orvel {

namespace {

constexpr int kDialogWidth = 560;
constexpr int kDialogHeight = 360;

QString Text(const std::string& text)
{
    return QString::fromStdString(text);
}

}  // namespace

DifferencesDialog::DifferencesDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("dDifferences"));
    setWindowTitle(QStringLiteral("Differences with the controller"));
    setModal(false);
    resize(kDialogWidth, kDialogHeight);

    summary_ = new QLabel(this);
    summary_->setObjectName(QStringLiteral("lDifferences"));
    list_ = new QTreeWidget(this);
    list_->setObjectName(QStringLiteral("tvDifferences"));
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setHeaderLabels(
        {QStringLiteral("Where"), QStringLiteral("Field"), QStringLiteral("Editor"), QStringLiteral("Controller")});
    list_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    connect(list_, &QTreeWidget::itemClicked, this, [this] { LineChosen(); });
    connect(list_, &QTreeWidget::itemActivated, this, [this] { LineChosen(); });

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(summary_);
    layout->addWidget(list_);
    layout->addWidget(buttons);
}

void DifferencesDialog::ShowDifferences(const std::vector<SetupDifference>& differences, const QString& file_name)
{
    differences_ = differences;
    list_->clear();
    const bool file = !file_name.isEmpty();
    const std::string other = file ? file_name.toStdString() : std::string("controller");
    setWindowTitle(file ? QStringLiteral("Differences with %1").arg(file_name)
                        : QStringLiteral("Differences with the controller"));
    list_->headerItem()->setText(3, file ? file_name : QStringLiteral("Controller"));
    for (const SetupDifference& difference : differences_) {
        auto* line = new QTreeWidgetItem(list_, {Text(DifferenceWhere(difference)), Text(difference.field),
                                                 Text(difference.editor_value), Text(difference.controller_value)});
        line->setToolTip(0, Text(DifferenceLine(difference, "editor", other)));
    }
    const QString whose = file ? QStringLiteral("those of %1").arg(file_name) : QStringLiteral("the controller's");
    summary_->setText(differences_.size() == 1
                          ? QStringLiteral("1 value differs from %1. Choose a line to see its cell.").arg(whose)
                          : QStringLiteral("%1 values differ from %2. Choose a line to see its cell.")
                                .arg(differences_.size())
                                .arg(whose));
    show();
    raise();
}

void DifferencesDialog::Clear()
{
    differences_.clear();
    list_->clear();
    hide();
}

void DifferencesDialog::LineChosen()
{
    const int line = list_->indexOfTopLevelItem(list_->currentItem());
    if (line < 0 || line >= static_cast<int>(differences_.size())) return;
    emit differenceChosen(differences_[static_cast<std::size_t>(line)]);
}

}  // namespace orvel
