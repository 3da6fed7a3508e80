#include "AboutBox.h"
#include "Bestfit.h"
#include "InterpolateApplication.h"
#include "MessageBoxes.h"

int main(int argc, char** argv)
{
    ModalMessageBoxes boxes;
    InterpolateApplication app(argc, argv, boxes);
    TAboutBox aboutBox;
    TmainForm mainForm(boxes, aboutBox);
    mainForm.show();
    return app.exec();
}
