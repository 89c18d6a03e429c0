#include "labels/Import.h"

#include "labels/records/TableSchemas.h"

void TfrmImport::Create() {
  // The lists' Tab order takes the postal code before the city, unlike their rows.
  CreateImportForm({L"Import Contacts", L"Import Contacts", L"Contact Field List"},
                   {{L"Title", Contact_Title, 0},
                    {L"Name", Contact_Name, 1},
                    {L"Surname", Contact_Surname, 2},
                    {L"Street Address", Contact_Address1, 3},
                    {L"City", Contact_Address3, 5},
                    {L"Postal Code / Zip Code", Contact_Address2, 4},
                    {L"Country / County", Contact_Address4, 6}});
}
