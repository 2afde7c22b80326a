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
        {"CheckBoxM1", "Messung 1 am Morgen verwenden",
         "Schaltet die Messung am Morgen für diesen Monat ein oder aus. Eine Messung bleibt "
         "immer eingeschaltet."},
        {"CheckBoxM2", "Messung 2 verwenden",
         "Schaltet die zweite Messung des Tages für diesen Monat ein oder aus. Eine Messung "
         "bleibt immer eingeschaltet."},
        {"CheckBoxM3", "Messung 3 verwenden",
         "Schaltet die dritte Messung des Tages für diesen Monat ein oder aus. Eine Messung "
         "bleibt immer eingeschaltet."},
        {"CheckBoxM4", "Messung 4 am Abend verwenden",
         "Schaltet die Messung am Abend für diesen Monat ein oder aus. Eine Messung bleibt immer "
         "eingeschaltet."},
        {"BitBtn3", "", "Messung des Tages; wechselt zur nächsten eingeschalteten Messung"},
        {"Edit1", "Uhrzeit",
         "Uhrzeit der Messung, zum Beispiel 07:30; 7:30, 7.30 und 0730 werden zu 07:30"},
        {"SpinButton1/up", "Uhrzeit später", "Stellt die Uhrzeit zehn Minuten später"},
        {"SpinButton1/down", "Uhrzeit früher", "Stellt die Uhrzeit zehn Minuten früher"},
        {"SpinEdit4", "Systolischer Wert in mmHg",
         "Systolischer (oberer) Wert, mit den Pfeiltasten einstellen"},
        {"SpinEdit5", "Diastolischer Wert in mmHg",
         "Diastolischer (unterer) Wert, mit den Pfeiltasten einstellen"},
        {"SpinEdit6", "Puls pro Minute",
         "Puls, Schläge pro Minute, mit den Pfeiltasten einstellen"},
        {"GewichtGroup", "Gewicht", "Gewicht der Messung und sein Vergleich mit dem Monat"},
        {"GewichtEdit", "Gewicht in kg",
         "Körpergewicht in Kilogramm mit höchstens zwei Stellen nach dem Komma, zum Beispiel "
         "70,5; ein Punkt wird zum Komma"},
        {"SpinButton2/up", "Gewicht erhöhen", "Erhöht das Gewicht um die gewählte Schrittweite"},
        {"SpinButton2/down", "Gewicht verringern",
         "Verringert das Gewicht um die gewählte Schrittweite"},
        {"RadioButton1", "Schrittweite 10 kg", "Die Pfeile am Gewicht ändern es um 10 kg"},
        {"RadioButton2", "Schrittweite 1 kg", "Die Pfeile am Gewicht ändern es um 1 kg"},
        {"RadioButton3", "Schrittweite 0,1 kg", "Die Pfeile am Gewicht ändern es um 0,1 kg"},
        {"GewichtsEingabeCheckBox", "",
         "Schaltet das Gewichtsfeld ein; nur dann wird das Gewicht mit der Messung in die Liste "
         "aufgenommen, sonst 0"},
        {"BitBtn1", "",
         "Nimmt die Messung mit Datum, Uhrzeit und Werten in die Liste auf und speichert den "
         "Monat"},
        {"BtnEintragBearbeiten", "",
         "Nimmt die ausgewählte Messung nach einer Rückfrage aus der Liste und trägt ihre Werte "
         "zum Bearbeiten in das Formular ein"},
        {"BtnBalkendiagrammErstellen", "Balkendiagramm", ""},
        {"LinienDiagrammErstellen", "Liniendiagramm", ""},
        {"StatusLabel", "Hinweis",
         "Hinweise des Programms, etwa auf Konfliktkopien oder eine außerhalb geänderte "
         "Monatsdatei"},
        {"Memo2", "Auswertung",
         "Auswertung der ausgewählten Messung; nach „Bemerkung eingeben/lesen“ die Bemerkung "
         "zum Monat, die beim Verlassen gespeichert wird"},
    };
    return texts;
}
