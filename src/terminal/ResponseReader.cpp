#include "terminal/ResponseReader.h"

#include "terminal/Terminal.h"

void ResponseReader::Getresp_Click()
{
}
