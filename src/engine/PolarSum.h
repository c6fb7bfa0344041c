#pragma once

namespace polvane {

// The inner loop of the polar response: for each sweep angle, the cells' pressures with
// their aperture directivity and path phase, added cell by cell into six running sums
// (the real and imaginary parts at f and a sixth of an octave either side).
//
// The sweep angles are independent, so several are summed at once with the vector sines
// and cosines of the system's vector math library where it has one; each angle still adds
// its cells in order, one by one, in single precision. Without that library (or another
// processor) the plain loop runs.
class PolarSum {
public:
    // The tables are padded to a multiple of this many sweep angles.
    static constexpr int kAngleBlock = 8;
    static constexpr int kSums = 6;

    // The frequency-independent tables of one cell, `padded` angles each.
    struct CellTerms {
        const float* aimSine;  // sin(aim - theta + offset)
        const float* pathBase; // dx cos theta + dy sin theta
        float gain;
        float apertureFactor; // pi f h / c at the frequency being summed
    };

    // Adds cells `first` to `last - 1` over `padded` angles (a multiple of kAngleBlock).
    // `sums` holds kSums x padded floats per cell: the running sums after that cell, so a
    // later call can start from any cell whose predecessors are unchanged. Cell `first`
    // starts from the sums after cell `first - 1` (from 0 for the first cell).
    static void Add(const CellTerms* cells, int first, int last, int padded, float k,
                    float* sums);

    // sin of every value, in place, with the same routine the sum uses for its sines.
    static void Sines(float* values, int padded);

    // Clears the upper halves of the wide vector registers where the processor has them.
    // Code that drew with them before (the windowing library does) leaves them dirty,
    // and every plain vector instruction after that pays for it.
    static void ClearUpperVectorState();

    // Whether the vector routines are used; tests compare the two. Not thread-safe: set
    // it only while no prediction runs.
    static bool Vectorised();
    static void SetVectorised(bool on);
    // How many sweep angles one vector step takes (1 for the plain loop).
    static int Lanes();
};

} // namespace polvane
