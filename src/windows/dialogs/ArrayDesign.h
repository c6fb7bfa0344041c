#pragma once

#include <functional>
#include <memory>

#include "model/BrandCode.h"

class QWidget;

namespace polvane {

class ArrayDesignDialog;
class ErrorReporter;
class ScreenInfo;
class UpdateHub;
class VenueLifecycle;

// Array > Design...: shows the array design dialog over the main window, filled from the
// open venue, and after OK rebuilds the whole column of cells with the chosen brand and
// count, flown, in the brand's pin style. Cancel (or the close box) changes nothing. The
// dialog is created at the first use and kept, hidden, for the next.
class ArrayDesign {
public:
    static constexpr const char* kProcedure = "modMain.DesignArray";

    // Shows the dialog modally; by default its own event loop until OK or Cancel.
    using ShowModal = std::function<void(ArrayDesignDialog&)>;

    ArrayDesign(QWidget& parent, VenueLifecycle& lifecycle, UpdateHub& hub, ErrorReporter& reporter,
                const ScreenInfo& screen, ShowModal show = {});
    ArrayDesign(const ArrayDesign&) = delete;
    ArrayDesign& operator=(const ArrayDesign&) = delete;
    ~ArrayDesign();

    // A failure is reported under "modMain.DesignArray". True when it finished.
    bool DesignArray();

    // The dialog once loaded, else null.
    ArrayDesignDialog* Dialog() const { return dialog_.get(); }

private:
    void Design();
    void Rebuild(BrandCode brand, int count);

    QWidget& parent_;
    VenueLifecycle& lifecycle_;
    UpdateHub& hub_;
    ErrorReporter& reporter_;
    const ScreenInfo& screen_;
    ShowModal show_;
    std::unique_ptr<ArrayDesignDialog> dialog_;
};

} // namespace polvane
