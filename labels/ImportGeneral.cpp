#include "labels/ImportGeneral.h"

#include "labels/records/TableSchemas.h"

void TfrmImportGeneral::Create() {
  CreateImportForm({L"Import General Information", L"Import Information", L"General Field List"},
                   {{L"General Field 1", General_Field1, 0},
                    {L"General Field 2", General_Field2, 1},
                    {L"General Field 3", General_Field3, 2},
                    {L"General Field 4", General_Field4, 3},
                    {L"General Field 5", General_Field5, 4},
                    {L"Image Path", General_Field6, 5}});
}
