#include "windows/dialogs/ArrayDesign.h"

#include <algorithm>
#include <cmath>

#include <QLineEdit>

#include "engine/Environment.h"
#include "shell/startup/ErrorReporter.h"
#include "windows/base/TypedNumber.h"
#include "shell/session/UpdateHub.h"
#include "shell/session/VenueLifecycle.h"
#include "windows/dialogs/ArrayDesignDialog.h"

namespace polvane {

namespace {


} // namespace

ArrayDesign::ArrayDesign(QWidget& parent, VenueLifecycle& lifecycle, UpdateHub& hub,
                         ErrorReporter& reporter, const ScreenInfo& screen, ShowModal show)
    : parent_(parent), lifecycle_(lifecycle), hub_(hub), reporter_(reporter), screen_(screen),
      show_(show ? std::move(show) : [](ArrayDesignDialog& dialog) { dialog.exec(); })
{
}

ArrayDesign::~ArrayDesign() = default;

bool ArrayDesign::DesignArray()
{
    return reporter_.Guard(kProcedure, [this] { Design(); });
}

void ArrayDesign::Design()
{
    if (!dialog_)
        dialog_ = std::make_unique<ArrayDesignDialog>(hub_, reporter_, screen_, &parent_);
    ArrayDesignDialog& dialog = *dialog_;
    const LineArray& array = lifecycle_.Venue().LineArray();
    dialog.SelectBrand(array.Brand());
    dialog.ShowCellCount(array.Cells().Count());

    show_(dialog);
    if (dialog.IsCancelled()) {
        dialog.SetTag("");
        return;
    }
    // Halves to even; the box keeps its text within 4..24, and so does the count here.
    const double typed =
        TypedNumber::Read(dialog.txtTotalCells()->text().toStdString()).value_or(ArrayDesignDialog::kMinCells);
    const double count = std::isfinite(typed) ? std::nearbyint(typed) : ArrayDesignDialog::kMinCells;
    Rebuild(dialog.SelectedBrand(),
            static_cast<int>(std::clamp<double>(count, ArrayDesignDialog::kMinCells,
                                                ArrayDesignDialog::kMaxCells)));
}

void ArrayDesign::Rebuild(BrandCode brand, int count)
{
    LineArray& array = lifecycle_.Venue().LineArray();
    Cells& cells = array.Cells();
    while (cells.Count() > 0)
        cells.Remove(1);
    array.SetBrand(brand);
    for (int cell = 0; cell < count; ++cell)
        cells.Add();
    array.SetConfiguration(ConfigurationCode::Flown);
    array.SetPinStyle(brand == BrandCode::DeVelt ? PinStyleCode::Fixed : PinStyleCode::Slide);
    hub_.UpdateInterfaces(UpdateScope::AllButNotesAreas, true);
    lifecycle_.SetDirty();
}

} // namespace polvane
