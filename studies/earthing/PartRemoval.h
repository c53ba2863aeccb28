#pragma once

class EarthingProject;
class QWidget;

// Remove in the parts list: the part, one edit. Touch areas and points that stand on its
// group and no other part's would be left on metal that is gone (or, renumbered, on other
// metal): the user is asked first, and they go with it or nothing goes.
class PartRemoval {
public:
    // False when nothing was removed.
    static bool run(QWidget *owner, EarthingProject *project, int index);
};
