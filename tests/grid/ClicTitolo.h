#pragma once

// A double click on a column title, with or without Ctrl.
struct Clic {
    const char* campo;
    bool ctrl = false;
};
