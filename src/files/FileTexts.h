#pragma once

#include "platform/LangText.h"

// The texts of the file functions dialog. French and Spanish buttons have no
// hints of their own: their hints are empty rather than English.

namespace zephirax {

inline constexpr LangText FileFormTitle{"Datei-Funktionen", "File functions"};
inline constexpr LangText SourceCaption{"Quelle", "Source", "Source", "Source"};
inline constexpr LangText DestinationCaption{"Ziel", "Destination", "Destination", "Destination"};

inline constexpr LangText CopyBtnCaption{"Kopieren >>", "Copy Files >>", "Copier >>", "copiar >>"};
inline constexpr LangText MoveBtnCaption{"Verschieben >>", "Move Files >>", "Déplacer >>",
                                         "mobir >>"};
inline constexpr LangText RenameBtnCaption{"< Umbenennen", "< Rename Files", "< Renommer",
                                           "< cambiar el nombre"};
inline constexpr LangText DeleteBtnCaption{"< Löschen", "< Delete Files ", "< Supprimer",
                                           "< borar "};
inline constexpr LangText CreateBtnCaption{"DIR erzeugen >", "Create DIR >", "Create DIR >",
                                           "crear DIR >"};
inline constexpr LangText CompressBtnCaption{"Packen >>", "Compress >>", "Compresser >>",
                                             "enpaquetar >>"};
inline constexpr LangText DecompressBtnCaption{"Entpacken >>", "Decompress >>", "Décompresser >>",
                                               "desenpaquetar >>"};
inline constexpr LangText HelpBtnCaption{"Hilfe", "Help", "Aide", "Ayuda"};
inline constexpr LangText ExitBtnCaption{"Beenden", "Exit", "Quitter", "Salir"};

inline constexpr LangText CopyBtnHint{"Kopiere selektierte Datei(en) von Quelle nach Ziel",
                                      "copy selected file(s) from source to destination", "", ""};
inline constexpr LangText MoveBtnHint{"Verschiebe selektierte Datei(en) von Quelle nach Ziel",
                                      "move selected file(s) from source to destination", "", ""};
inline constexpr LangText RenameBtnHint{"Vergebe anderen Dateinamen für Datei in Quelle",
                                        "rename selected file in source", "", ""};
inline constexpr LangText DeleteBtnHint{"Lösche selektierte Datei(en) in Quelle",
                                        "delete selected file(s) in source", "", ""};
inline constexpr LangText CreateBtnHint{"erzeuge neues Unterverzeichnis von Ziel",
                                        "create a subdirectory in destination", "", ""};
inline constexpr LangText CompressBtnHint{
    "erzeuge ZIP-Archiv in Ziel von in Quelle selektierten Dateien",
    "compress selected file(s) from source to a ZIP archive in destination", "", ""};
inline constexpr LangText DecompressBtnHint{"entpacke ZIP-Archiv von Quelle in Ziel",
                                            "decompress a ZIP archive from source to destination",
                                            "", ""};

// Input boxes: German, and English for every other language.
inline constexpr LangText RenameTitle{"Datei umbenennen", "File rename"};
inline constexpr LangText RenamePrompt{"Neuer Name (ohne Pfad) : ",
                                       "New name (without directory) : "};
inline constexpr LangText CreateDirTitle{"Erzeuge neues Verzeichnis", "Create a new directory"};
inline constexpr LangText CreateDirPrompt{"Verzeichnis-Name : ", "Directory name : "};
inline constexpr LangText CompressTitle{"Erzeuge ZIP-Archiv", "Create a ZIP file"};
inline constexpr LangText CompressPrompt{"ZIP-Datei-Name (ohne Pfad, ohne .zip) : ",
                                         "ZIP file name (without path, without .zip) : "};

// Progress titles.
inline constexpr LangText CopyingTitle{"Kopiere ...", "Copying ..."};
inline constexpr LangText MovingTitle{"Verschiebe ...", "Moving ..."};
inline constexpr LangText RenamingTitle{"Umbenennen ...", "Renaming ..."};
inline constexpr LangText DeletingTitle{.En = "Deleting ..."};
inline constexpr LangText CompressingTitle{"Packe ...", "Compressing ..."};
inline constexpr LangText DecompressingTitle{"Entpacke ...", "Decompressing ..."};
inline constexpr LangText ProgressCancel{"Abbrechen", "Cancel", "Annuler", "Cancelar"};

inline constexpr LangText NotAllFilesAdded{.En = "Error : Not all files added !"};

// What went wrong, naming the file (%s).
inline constexpr LangText CopyFailedText{
    "Die Datei %s konnte nicht kopiert werden.", "Could not copy the file %s.",
    "Impossible de copier le fichier %s.", "No se pudo copiar el fichero %s."};
inline constexpr LangText MoveFailedText{
    "Die Datei %s konnte nicht verschoben werden.", "Could not move the file %s.",
    "Impossible de déplacer le fichier %s.", "No se pudo mover el fichero %s."};
inline constexpr LangText RenameFailedText{
    "Die Datei %s konnte nicht umbenannt werden.", "Could not rename the file %s.",
    "Impossible de renommer le fichier %s.", "No se pudo cambiar el nombre del fichero %s."};
inline constexpr LangText DeleteFailedText{
    "Die Datei %s wurde nicht gelöscht.", "The file %s was not deleted.",
    "Le fichier %s n'a pas été supprimé.", "El fichero %s no se ha borrado."};
inline constexpr LangText CreateDirFailedText{
    "Das Verzeichnis %s konnte nicht erzeugt werden.", "Could not create the directory %s.",
    "Impossible de créer le répertoire %s.", "No se pudo crear el directorio %s."};
inline constexpr LangText CompressFailedText{
    "Das ZIP-Archiv %s konnte nicht geschrieben werden.", "Could not write the ZIP archive %s.",
    "Impossible d'écrire l'archive ZIP %s.", "No se pudo escribir el archivo ZIP %s."};
inline constexpr LangText DecompressFailedText{
    "%s konnte nicht entpackt werden.", "Could not decompress %s.",
    "Impossible de décompresser %s.", "No se pudo desempaquetar %s."};

// Why; a system error is shown as the system words it.
inline constexpr LangText TrashUnavailableReason{
    "Der Papierkorb ist nicht verfügbar, daher bleibt die Datei unverändert.",
    "The trash is not available, so the file was left as it was.",
    "La corbeille n'est pas disponible, le fichier reste inchangé.",
    "La papelera no está disponible, así que el fichero queda como estaba."};
inline constexpr LangText ReplacedToTrashReason{
    "Die Datei im Ziel konnte nicht in den Papierkorb verschoben werden und wurde nicht ersetzt.",
    "The file in the destination could not be moved to the trash and was not replaced.",
    "Le fichier de la destination n'a pas pu être mis à la corbeille et n'a pas été remplacé.",
    "El fichero del destino no se pudo mover a la papelera y no se ha reemplazado."};
inline constexpr LangText SameFileReason{
    "Quelle und Ziel sind dieselbe Datei.", "Source and destination are the same file.",
    "La source et la destination sont le même fichier.", "Origen y destino son el mismo fichero."};
inline constexpr LangText FolderInTheWayReason{"Im Ziel gibt es ein Verzeichnis dieses Namens.",
                                               "The destination holds a directory of that name.",
                                               "La destination contient un répertoire de ce nom.",
                                               "El destino contiene un directorio con ese nombre."};
inline constexpr LangText NameTakenReason{"Dieser Name ist bereits vergeben.",
                                          "That name is already taken.", "Ce nom existe déjà.",
                                          "Ese nombre ya existe."};
inline constexpr LangText BadNameReason{
    "Ein Name darf kein \"/\" enthalten und nicht \".\" oder \"..\" sein.",
    "A name must not contain \"/\" and must not be \".\" or \"..\".",
    "Un nom ne doit pas contenir \"/\" ni être \".\" ou \"..\".",
    "Un nombre no debe contener \"/\" ni ser \".\" o \"..\"."};
inline constexpr LangText SourceMissingReason{
    "Die Datei ist nicht (mehr) vorhanden.", "The file does not exist (any more).",
    "Le fichier n'existe pas (ou plus).", "El fichero no existe (o ya no existe)."};
inline constexpr LangText NotRegularReason{
    "Dies ist keine gewöhnliche Datei.", "This is not a regular file.",
    "Ce n'est pas un fichier ordinaire.", "No es un fichero normal."};

// The entries of an archive that were not extracted (%s: the archive), one
// per line after the text.
inline constexpr LangText UnsafeEntriesText{
    "Diese Einträge von %s wurden nicht entpackt, weil sie außerhalb des Zielverzeichnisses "
    "landen würden:",
    "These entries of %s were not extracted because they would be written outside the "
    "destination directory:",
    "Ces entrées de %s n'ont pas été décompressées car elles seraient écrites hors du répertoire "
    "de destination :",
    "Estas entradas de %s no se han desempaquetado porque se escribirían fuera del directorio "
    "de destino:"};

}  // namespace zephirax
