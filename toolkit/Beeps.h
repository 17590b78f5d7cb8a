// SPDX-License-Identifier: MIT
#pragma once

namespace toolkit {

// The seam through which controls sound the system beep for refused input. The real one rings
// the desktop's bell; tests install a counter.
class Beeps
{
public:
    virtual ~Beeps() = default;

    // type is the desktop's beep kind; 0 is the plain default beep.
    virtual void messageBeep(unsigned type) = 0;
};

// The beeps in use: the real ones unless a test installed others.
Beeps &beeps();
// Installs beeps for the rest of the run; nullptr brings the real ones back. The caller keeps
// ownership.
void setBeeps(Beeps *beeps);

inline void MessageBeep(unsigned type)
{
    beeps().messageBeep(type);
}

} // namespace toolkit
