// The output picture and the three output actions: bitmap file, clipboard and printer.
#include "window/form1.h"

namespace solifa {

void Form1::connectOutputHandlers() {}
void Form1::RenderOutput() {}
void Form1::ScaleToOutput() {}
void Form1::DrawOutput() {}
void Form1::SSCommand9_Click() {}
void Form1::SSCommand5_Click() {}
void Form1::SSCommand6_Click() {}

} // namespace solifa
