// The records store (interim: the lists are not kept yet).
#include "storage/records.h"

void LoadRecords() {}

void RecordGameResult(double, int) {}
