#pragma once

#include "platform/LangText.h"

// Texts of receiving a measurement, in the four program languages.

namespace zephirax {

inline constexpr LangText ReceiveCaptionText{"Empfange Daten von VOLTAN",
                                             "Receiving data from VOLTAN",
                                             "R\xC3\xA9"
                                             "ception du VOLTAN",
                                             "Recibir datos del VOLTAN"};
inline constexpr LangText ReceiveSaveButtonText{"Speichern", "Save", "Enregister", "&Memorizar"};
inline constexpr LangText ReceiveCancelButtonText{"Abbruch", "Cancel", "Quitter", "&Salir"};
inline constexpr LangText ReceiveHelpButtonText{"&Hilfe", "&Help", "Aide", "&Ayuda"};
inline constexpr LangText ReceiveStartRequestText{
    "Bitte Funktion SEND DATA TO PC am VOLTAN starten !",
    "Please start function SEND DATA TO PC on VOLTAN !",
    "S\xC3\xA9lectionner EXPORT SUR PC sur le VOLTAN !",
    "Arranque la funcion SEND DATA TO PC en el VOLTAN !"};
inline constexpr LangText ReceiveStatusCaptionText{"Status :", "Status :", "Etat :", "Estado :"};
inline constexpr LangText ReceiveWaitingText{"warte ...", "waiting ...", "En attente ...",
                                             "esperando ..."};
inline constexpr LangText ReceiveProcessingText{"in Arbeit ...", "processing ...", "en cours ...",
                                                "trabajando ..."};
inline constexpr LangText ReceivePleaseWaitText{"Bitte warten !", "Please wait !",
                                                "Patientez SVP !", "espere !"};
inline constexpr LangText ReceiveFinishedText{"Fertig ...", "Finished ...", "Termin\xC3\xA9 ...",
                                              "final ..."};

inline constexpr LangText ReceiveSaveTitleText{"Speichern unter Dateiname ( keine Erweiterung !)",
                                               "Save with filename ( without any extension !)",
                                               "Enregister sous ( sans extension !)",
                                               "Save with filename ( without any extension !)"};

// The device's own wording, the same in every language.
inline constexpr LangText ChecksumErrorText{
    "Checksum error ! Retry transmission .", "Checksum error ! Retry transmission .",
    "Checksum error ! Retry transmission .", "Checksum error ! Retry transmission ."};

inline constexpr LangText OversizedBlockText{
    "Der empfangene Block ist gr\xC3\xB6\xC3\x9F"
    "er als 512000 Bytes und wurde verworfen. Bitte \xC3\x9C"
    "bertragung wiederholen.",
    "The received block is larger than 512000 bytes and was discarded. Please retry the "
    "transmission.",
    "Le bloc re\xC3\xA7u d\xC3\xA9passe 512000 octets et a \xC3\xA9t\xC3\xA9 rejet\xC3\xA9. "
    "Veuillez relancer la transmission.",
    "El bloque recibido supera 512000 bytes y fue descartado. Repita la transmisi\xC3\xB3n."};

inline constexpr LangText TempWriteFailedText{
    "Die empfangenen Daten konnten nicht in DATA/TEMP.DAT geschrieben werden.",
    "The received data could not be written to DATA/TEMP.DAT.",
    "Les donn\xC3\xA9"
    "es re\xC3\xA7ues n'ont pas pu \xC3\xAAtre \xC3\xA9"
    "crites dans DATA/TEMP.DAT.",
    "No se pudieron escribir los datos recibidos en DATA/TEMP.DAT."};

inline constexpr LangText ReceiveSaveFailedText{"Die Messung konnte nicht gespeichert werden.",
                                                "The measurement could not be saved.",
                                                "La mesure n'a pas pu \xC3\xAAtre enregistr\xC3\xA9"
                                                "e.",
                                                "No se pudo guardar la medici\xC3\xB3n."};

}  // namespace zephirax
