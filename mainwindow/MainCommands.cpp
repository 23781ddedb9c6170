#include "mainwindow/MainForm.h"

// The commands that act on the selected order, and the two links.

void MainForm::b1_Click() {}

void MainForm::b2_Click() {}

void MainForm::b3_Click() {}

void MainForm::MSFlexGrid1_Click() {}

void MainForm::MSFlexGrid1_DblClick() {}

void MainForm::Label1_Click() {}

void MainForm::Label3_Click() {}
