#include "studies/earthing/PartRemoval.h"

#include "studies/earthing/EarthingProject.h"
#include "studies/earthing/PartListModel.h"
#include "text/StringIds.h"
#include "ui/LanguageString.h"
#include "ui/MessageBox.h"

bool PartRemoval::run(QWidget *owner, EarthingProject *project, int index) {
    const StudyProject &document = project->document();
    if (index < 0 || index >= document.parts.size())
        return false;
    const int places = int(document.placesOn(index).size());
    if (places > 0 && !askToProceed(LoadLanguageString(StringId::StudyWindows::kRemoveWithPlaces)
                                        .arg(PartListModel::name(document.parts[index]))
                                        .arg(places),
                                    owner))
        return false;
    project->removePart(index);
    return true;
}
