#include "app/accessible_texts.h"

const QList<AccessibleText> &mainFormAccessibleTexts()
{
    static const QList<AccessibleText> texts = {
        {"ListBox1", "Messungen des Monats",
         "Jede Zeile ist eine Messung. Die ausgewählte Messung wird unten ausgewertet."},
        {"UpDownSchalterGroup", "Messung", "Datum, Messung des Tages, Uhrzeit und Messwerte"},
        {"SpinEdit1", "Tag", "Tag der Messung, mit den Pfeiltasten einstellen"},
        {"SpinEdit2", "Monat", "Monat der Messung, mit den Pfeiltasten einstellen"},
        {"SpinEdit3", "Jahr", "Jahr der Messung, mit den Pfeiltasten einstellen"},
        {"CheckBoxM1", "Messung 1 am Morgen verwenden", ""},
        {"CheckBoxM2", "Messung 2 verwenden", ""},
        {"CheckBoxM3", "Messung 3 verwenden", ""},
        {"CheckBoxM4", "Messung 4 am Abend verwenden", ""},
        {"BitBtn3", "", "Messung des Tages; wechselt zur nächsten eingeschalteten Messung"},
        {"Edit1", "Uhrzeit", "Uhrzeit der Messung in Stunden und Minuten, zum Beispiel 07:30"},
        {"SpinButton1/up", "Uhrzeit später", "Stellt die Uhrzeit zehn Minuten später"},
        {"SpinButton1/down", "Uhrzeit früher", "Stellt die Uhrzeit zehn Minuten früher"},
        {"SpinEdit4", "Systolischer Wert in mmHg", ""},
        {"SpinEdit5", "Diastolischer Wert in mmHg", ""},
        {"SpinEdit6", "Puls pro Minute", ""},
        {"GewichtGroup", "Gewicht", "Gewicht der Messung und sein Vergleich mit dem Monat"},
        {"GewichtEdit", "Gewicht in kg",
         "Körpergewicht in Kilogramm mit Dezimalkomma, zum Beispiel 70,5"},
        {"SpinButton2/up", "Gewicht erhöhen", "Erhöht das Gewicht in der gewählten Stelle"},
        {"SpinButton2/down", "Gewicht verringern",
         "Verringert das Gewicht in der gewählten Stelle"},
        {"RadioButton1", "Gewicht in Schritten von 10 kg", ""},
        {"RadioButton2", "Gewicht in Schritten von 1 kg", ""},
        {"RadioButton3", "Gewicht in Schritten von 0,1 kg", ""},
        {"GewichtsEingabeCheckBox", "", "Nimmt das Gewicht mit der Messung in die Liste auf"},
        {"BitBtn1", "",
         "Nimmt die Messung mit Datum, Uhrzeit und Werten in die Liste auf und speichert den "
         "Monat"},
        {"BtnEintragBearbeiten", "",
         "Holt die ausgewählte Messung zur Korrektur in das Formular zurück"},
        {"BtnBalkendiagrammErstellen", "Balkendiagramm", ""},
        {"LinienDiagrammErstellen", "Liniendiagramm", ""},
        {"Memo2", "Auswertung", "Auswertung der ausgewählten Messung oder die Bemerkung zum Monat"},
    };
    return texts;
}
