// Layer: file passes (the disk only through FileOps; no <windows.h>, built natively too).
// One pass over the files of a folder, as the pass driver runs it: the driver
// shows the working window, runs the pass, has it show the folder anew and
// tells what it met (see pass_driver.h). A pass never starts another.
#pragma once

class FilePass {
public:
    virtual ~FilePass() = default;

    // Changes the files. An exception breaks the pass off.
    virtual void Run() = 0;
    // After Run broke off: puts back what it can. Most passes have nothing
    // to put back.
    virtual void AfterFailure() {}
    // Shows the folder as the pass left it.
    virtual void Rescan() = 0;
    // Warnings of the pass's own, after the ones every pass gives.
    virtual void TellAfter() {}
};
