<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es">
<context>
    <name>FileErrors</name>
    <message>
        <source>the folder does not exist</source>
        <translation>la carpeta no existe</translation>
    </message>
    <message>
        <source>the file does not exist</source>
        <translation>el archivo no existe</translation>
    </message>
    <message>
        <source>a part of its path is not a folder</source>
        <translation>una parte de su ruta no es una carpeta</translation>
    </message>
    <message>
        <source>you do not have permission to open it</source>
        <translation>no tienes permiso para abrirlo</translation>
    </message>
    <message>
        <source>you do not have permission to change this file</source>
        <translation>no tienes permiso para cambiar este archivo</translation>
    </message>
    <message>
        <source>you do not have permission to save in this folder</source>
        <translation>no tienes permiso para guardar en esta carpeta</translation>
    </message>
    <message>
        <source>the disk cannot be written to</source>
        <translation>no se puede escribir en el disco</translation>
    </message>
    <message>
        <source>the disk is full</source>
        <translation>el disco está lleno</translation>
    </message>
    <message>
        <source>it is a folder</source>
        <translation>es una carpeta</translation>
    </message>
    <message>
        <source>the name is too long</source>
        <translation>el nombre es demasiado largo</translation>
    </message>
    <message>
        <source>the disk could not be read or written</source>
        <translation>no se pudo leer o escribir en el disco</translation>
    </message>
    <message>
        <source>the file is too large for the disk</source>
        <translation>el archivo es demasiado grande para el disco</translation>
    </message>
    <message>
        <source>there is not enough memory</source>
        <translation>no hay memoria suficiente</translation>
    </message>
    <message>
        <source>the file is in use</source>
        <translation>el archivo está en uso</translation>
    </message>
    <message>
        <source>it is not an ordinary file (it may be a device or a pipe)</source>
        <translation>no es un archivo normal (puede ser un dispositivo o una tubería)</translation>
    </message>
    <message>
        <source>it is larger than %1 MB, the most Scrivlo can open</source>
        <translation>ocupa más de %1 MB, lo máximo que Scrivlo puede abrir</translation>
    </message>
    <message>
        <source>“%1”.</source>
        <translation>«%1».</translation>
    </message>
    <message>
        <source>“%1”: %2.</source>
        <translation>«%1»: %2.</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Scrivlo: a writing program for children.</source>
        <translation>Scrivlo: un programa para que niños y niñas escriban.</translation>
    </message>
    <message>
        <source>file</source>
        <translation>archivo</translation>
    </message>
    <message>
        <source>The story to open: Rich Text when its name ends in .rtf, else plain text.</source>
        <translation>La historia que se abre: texto enriquecido si su nombre termina en .rtf; si no, texto sin formato.</translation>
    </message>
    <message>
        <source>[file]</source>
        <translation>[archivo]</translation>
    </message>
    <message>
        <source>Scrivlo opens one story at a time. These were not opened:</source>
        <translation>Scrivlo abre una sola historia a la vez. Estas no se abrieron:</translation>
    </message>
    <message>
        <source>Scrivlo cannot find &quot;%1&quot;.</source>
        <translation>Scrivlo no encuentra &quot;%1&quot;.</translation>
    </message>
</context>
<context>
    <name>LiveSpellChecker</name>
    <message>
        <source>Ignore</source>
        <translation>Ignorar esta vez</translation>
    </message>
    <message>
        <source>Ignore All</source>
        <translation>Ignorar</translation>
    </message>
    <message>
        <source>Add to Dictionary</source>
        <translation>Añadir al diccionario</translation>
    </message>
</context>
<context>
    <name>MessageDialogs</name>
    <message>
        <source>&amp;Yes</source>
        <translation>&amp;Sí</translation>
    </message>
    <message>
        <source>&amp;No</source>
        <translation>&amp;No</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>Aceptar</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>&amp;Abort</source>
        <translation>&amp;Anular</translation>
    </message>
    <message>
        <source>&amp;Retry</source>
        <translation>&amp;Reintentar</translation>
    </message>
    <message>
        <source>&amp;Ignore</source>
        <translation>&amp;Ignorar</translation>
    </message>
    <message>
        <source>&amp;All</source>
        <translation>&amp;Todos</translation>
    </message>
    <message>
        <source>N&amp;o to All</source>
        <translation>N&amp;o a todos</translation>
    </message>
    <message>
        <source>Yes to &amp;All</source>
        <translation>Sí a &amp;todos</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>A&amp;yuda</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Aviso</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Información</translation>
    </message>
    <message>
        <source>Confirm</source>
        <translation>Confirmar</translation>
    </message>
    <message>
        <source>Question</source>
        <translation>Pregunta</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Font</source>
        <translation>Tipo de letra</translation>
    </message>
    <message>
        <source>&amp;Color:</source>
        <translation>&amp;Color:</translation>
    </message>
    <message>
        <source>Black</source>
        <translation>Negro</translation>
    </message>
    <message>
        <source>Maroon</source>
        <translation>Granate</translation>
    </message>
    <message>
        <source>Green</source>
        <translation>Verde</translation>
    </message>
    <message>
        <source>Olive</source>
        <translation>Verde oliva</translation>
    </message>
    <message>
        <source>Navy</source>
        <translation>Azul marino</translation>
    </message>
    <message>
        <source>Purple</source>
        <translation>Morado</translation>
    </message>
    <message>
        <source>Teal</source>
        <translation>Verde azulado</translation>
    </message>
    <message>
        <source>Gray</source>
        <translation>Gris</translation>
    </message>
    <message>
        <source>Silver</source>
        <translation>Plateado</translation>
    </message>
    <message>
        <source>Red</source>
        <translation>Rojo</translation>
    </message>
    <message>
        <source>Lime</source>
        <translation>Verde lima</translation>
    </message>
    <message>
        <source>Yellow</source>
        <translation>Amarillo</translation>
    </message>
    <message>
        <source>Blue</source>
        <translation>Azul</translation>
    </message>
    <message>
        <source>Fuchsia</source>
        <translation>Fucsia</translation>
    </message>
    <message>
        <source>Aqua</source>
        <translation>Turquesa</translation>
    </message>
    <message>
        <source>White</source>
        <translation>Blanco</translation>
    </message>
</context>
<context>
    <name>ReadAloud</name>
    <message>
        <source>S&amp;top Reading</source>
        <translation>P&amp;arar de leer</translation>
    </message>
</context>
<context>
    <name>SpeechDialog</name>
    <message>
        <source>Speech</source>
        <translation>Voz</translation>
    </message>
    <message>
        <source>&amp;Test</source>
        <translation>&amp;Probar</translation>
    </message>
    <message>
        <source>Hello! This is how I read your story.</source>
        <translation>¡Hola! Así leo tu cuento.</translation>
    </message>
    <message>
        <source>&amp;Voice:</source>
        <translation>&amp;Voz:</translation>
    </message>
    <message>
        <source>&amp;Rate:</source>
        <translation>V&amp;elocidad:</translation>
    </message>
</context>
<context>
    <name>TAboutForm</name>
    <message>
        <source>© 2026 The Scrivlo team</source>
        <translation>© 2026 El equipo de Scrivlo</translation>
    </message>
    <message>
        <source>Version %1</source>
        <translation>Versión %1</translation>
    </message>
    <message>
        <source>Made for young writers</source>
        <translation>Para escritores jóvenes</translation>
    </message>
    <message>
        <source>Have fun with words!</source>
        <translation>¡Diviértete con las palabras!</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Acerca de</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Cerrar</translation>
    </message>
</context>
<context>
    <name>TAutoSave</name>
    <message>
        <source>(no words yet)</source>
        <translation>(todavía sin palabras)</translation>
    </message>
    <message>
        <source>Scrivlo kept a story that was not saved: %1…</source>
        <translation>Scrivlo conservó un cuento que no estaba guardado: %1…</translation>
    </message>
    <message>
        <source>&amp;Restore</source>
        <translation>&amp;Recuperar</translation>
    </message>
    <message>
        <source>&amp;Discard</source>
        <translation>&amp;Descartar</translation>
    </message>
</context>
<context>
    <name>TFindDialog</name>
    <message>
        <source>Replace</source>
        <translation>Reemplazar</translation>
    </message>
    <message>
        <source>Find</source>
        <translation>Buscar</translation>
    </message>
    <message>
        <source>Fi&amp;nd what:</source>
        <translation>&amp;Buscar:</translation>
    </message>
    <message>
        <source>Re&amp;place with:</source>
        <translation>&amp;Cambiar por:</translation>
    </message>
    <message>
        <source>Match &amp;case</source>
        <translation>Distinguir &amp;mayúsculas</translation>
    </message>
    <message>
        <source>&amp;Whole words only</source>
        <translation>Solo palabras &amp;enteras</translation>
    </message>
    <message>
        <source>&amp;Find Next</source>
        <translation>Buscar &amp;siguiente</translation>
    </message>
    <message>
        <source>&amp;Replace</source>
        <translation>&amp;Reemplazar</translation>
    </message>
    <message>
        <source>Replace &amp;All</source>
        <translation>Reemplazar &amp;todo</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Cerrar</translation>
    </message>
    <message>
        <source>Scrivlo reached the end of the story and went on from the start.</source>
        <translation>Scrivlo llegó al final del cuento y siguió desde el principio.</translation>
    </message>
    <message>
        <source>Scrivlo cannot find &quot;%1&quot;.</source>
        <translation>Scrivlo no encuentra &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>Scrivlo replaced 1 word.</source>
        <translation>Scrivlo cambió 1 palabra.</translation>
    </message>
    <message>
        <source>Scrivlo replaced %1 words.</source>
        <translation>Scrivlo cambió %1 palabras.</translation>
    </message>
</context>
<context>
    <name>THelpForm</name>
    <message>
        <source>Spelling while you type
A red wavy line under a word means Scrivlo does not know it. Right-click the word, or press the Menu key, to see the words you may have meant, and click the right one.

Checking the whole story: F7
Press F7. For each word Scrivlo does not know, pick a word in the list and click Change, or click Ignore to leave the word as it is. Add teaches Scrivlo a word that is right.

Reading aloud: F8
Press F8 to hear the sentence where you are writing, or the words you selected. F8 or Escape stops. In the spelling window the speaker button says the word.

Saving and getting work back
Press Ctrl+S, type a name and press Enter. Ctrl+O opens a story again. If the computer stops before you save, Scrivlo offers your story back the next time it starts: click Restore.

Keys
Ctrl+N: a new story
Ctrl+O, Ctrl+S, Ctrl+P: open, save, print
Ctrl+Z, Ctrl+Y: undo, redo
Ctrl+B, Ctrl+I, Ctrl+U: bold, italic, underline
Ctrl+plus, Ctrl+minus: a bigger or smaller page
F10: the menus
F1: this help; Escape closes it</source>
        <translation>Revisar la ortografía mientras escribes
Una línea roja ondulada debajo de una palabra quiere decir que Scrivlo no la conoce. Haz clic con el botón derecho en la palabra, o pulsa la tecla de menú, para ver las palabras que quizá querías escribir, y haz clic en la buena.

Revisar toda la historia: F7
Pulsa F7. Para cada palabra que Scrivlo no conoce, elige una palabra de la lista y haz clic en Cambiar, o haz clic en Saltar para dejarla como está. Añadir enseña a Scrivlo una palabra que está bien.

Leer en voz alta: F8
Pulsa F8 para oír la frase donde estás escribiendo, o las palabras que seleccionaste. F8 o Escape la para. En la ventana de ortografía, el botón del altavoz dice la palabra.

Guardar y recuperar el trabajo
Pulsa Ctrl+S, escribe un nombre y pulsa Intro. Ctrl+O vuelve a abrir una historia. Si el ordenador se apaga antes de que guardes, Scrivlo te ofrece tu historia la próxima vez que empieza: haz clic en Recuperar.

Teclas
Ctrl+N: una historia nueva
Ctrl+O, Ctrl+S, Ctrl+P: abrir, guardar, imprimir
Ctrl+Z, Ctrl+Y: deshacer, rehacer
Ctrl+B, Ctrl+I, Ctrl+U: negrita, cursiva, subrayado
Ctrl+más, Ctrl+menos: una página más grande o más pequeña
F10: los menús
F1: esta ayuda; Escape la cierra</translation>
    </message>
    <message>
        <source>Scrivlo is a basic text editor for kids that 
allows them to create simple documents. In 
Scrivlo kids can view or edit text (.txt) 
and (.rtf) files.  You can also save your 
documents in (.txt) or (.rtf) formats. 

To change the font style and size

1. On the Format menu, click Font. 
2. Make your selections in Font, Font style
and Size. </source>
        <translation>Scrivlo es un editor de textos sencillo
para niños y niñas. Con Scrivlo puedes
escribir, ver y cambiar textos (.txt) y
(.rtf), y guardar tus documentos en
formato (.txt) o (.rtf).

Para cambiar la letra y su tamaño

1. En el menú Formato, haz clic en
Elegir letra.
2. Elige la letra, el estilo y el tamaño.</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Ayuda</translation>
    </message>
</context>
<context>
    <name>TMainForm</name>
    <message>
        <source>Story</source>
        <translation>Historia</translation>
    </message>
    <message>
        <source>Rich Text files (*.rtf)|*.rtf|Text files (*.txt)|*.txt|Any files (*.*)|*.*</source>
        <translation>Archivos de texto enriquecido (*.rtf)|*.rtf|Archivos de texto (*.txt)|*.txt|Todos los archivos (*.*)|*.*</translation>
    </message>
    <message>
        <source>&amp;New</source>
        <translation>&amp;Nuevo</translation>
    </message>
    <message>
        <source>New S&amp;tory</source>
        <translation>Nueva &amp;historia</translation>
    </message>
    <message>
        <source>&amp;Menus</source>
        <translation>&amp;Menús</translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation>&amp;Abrir...</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Guardar</translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <translation>Guardar co&amp;mo...</translation>
    </message>
    <message>
        <source>Print Set&amp;up...</source>
        <translation>Con&amp;figurar impresora...</translation>
    </message>
    <message>
        <source>&amp;Print...</source>
        <translation>&amp;Imprimir...</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Salir</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>Cor&amp;tar</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Copiar</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>&amp;Pegar</translation>
    </message>
    <message>
        <source>Select &amp;Font...</source>
        <translation>Elegir &amp;letra...</translation>
    </message>
    <message>
        <source>Check &amp;Spelling...</source>
        <translation>Revisar orto&amp;grafía...</translation>
    </message>
    <message>
        <source>&amp;Word Count...</source>
        <translation>Co&amp;ntar palabras...</translation>
    </message>
    <message>
        <source>Read &amp;Aloud</source>
        <translation>Leer en &amp;voz alta</translation>
    </message>
    <message>
        <source>Read &amp;Everything</source>
        <translation>Leer &amp;hasta el final</translation>
    </message>
    <message>
        <source>Spee&amp;ch...</source>
        <translation>A&amp;justes de voz...</translation>
    </message>
    <message>
        <source>Correct Spelling While &amp;Typing</source>
        <translation>Corregir al escr&amp;ibir</translation>
    </message>
    <message>
        <source>Check Spelling as &amp;You Type</source>
        <translation>S&amp;ubrayar errores al escribir</translation>
    </message>
    <message>
        <source>Check Words in Conte&amp;xt</source>
        <translation>Revisar palabras en su conte&amp;xto</translation>
    </message>
    <message>
        <source>Check Capita&amp;ls</source>
        <translation>Revisar ma&amp;yúsculas</translation>
    </message>
    <message>
        <source>&amp;Contents</source>
        <translation>&amp;Contenido</translation>
    </message>
    <message>
        <source>&amp;About...</source>
        <translation>&amp;Acerca de Scrivlo...</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Deshacer</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>&amp;Rehacer</translation>
    </message>
    <message>
        <source>Select &amp;All</source>
        <translation>Seleccionar tod&amp;o</translation>
    </message>
    <message>
        <source>&amp;Find...</source>
        <translation>&amp;Buscar...</translation>
    </message>
    <message>
        <source>Find &amp;Next</source>
        <translation>Buscar &amp;siguiente</translation>
    </message>
    <message>
        <source>R&amp;eplace...</source>
        <translation>R&amp;eemplazar...</translation>
    </message>
    <message>
        <source>&amp;Bold</source>
        <translation>&amp;Negrita</translation>
    </message>
    <message>
        <source>&amp;Italic</source>
        <translation>&amp;Cursiva</translation>
    </message>
    <message>
        <source>&amp;Underline</source>
        <translation>&amp;Subrayado</translation>
    </message>
    <message>
        <source>Zoom &amp;In</source>
        <translation>&amp;Acercar</translation>
    </message>
    <message>
        <source>Zoom &amp;Out</source>
        <translation>A&amp;lejar</translation>
    </message>
    <message>
        <source>&amp;Normal Size</source>
        <translation>Tamaño &amp;normal</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>A&amp;yuda</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Archivo</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Cerrar</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Edición</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Ayuda</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Idioma</translation>
    </message>
    <message>
        <source>Corrects English words only.</source>
        <translation>Solo corrige palabras en inglés.</translation>
    </message>
    <message>
        <source>Checks English words only.</source>
        <translation>Solo revisa palabras en inglés.</translation>
    </message>
    <message>
        <source>Do you want to save your work?</source>
        <translation>¿Quieres guardar tu trabajo?</translation>
    </message>
    <message>
        <source>Open file</source>
        <translation>Abrir archivo</translation>
    </message>
    <message>
        <source>Save as</source>
        <translation>Guardar como</translation>
    </message>
    <message>
        <source>Recent &amp;Documents</source>
        <translation>&amp;Documentos recientes</translation>
    </message>
    <message>
        <source>View</source>
        <translation>Ver</translation>
    </message>
    <message>
        <source>Format</source>
        <translation>Formato</translation>
    </message>
    <message>
        <source>Untitled</source>
        <translation>Sin título</translation>
    </message>
    <message>
        <source>Scrivlo cannot find &quot;%1&quot;. It is taken off the list of recent documents.</source>
        <translation>Scrivlo no encuentra &quot;%1&quot;. Se quita de la lista de documentos recientes.</translation>
    </message>
    <message>
        <source>The learned words in %1 could not be read. The file is kept as %2, and a new list is started.</source>
        <translation>No se pudieron leer las palabras aprendidas de %1. El archivo se guarda como %2 y se empieza una lista nueva.</translation>
    </message>
    <message>
        <source>Parts of “%1” could not be read, so they are missing from the page. Saving will not bring them back: to keep the file as it is, Scrivlo asks for a new name when you save.</source>
        <translation>Algunas partes de «%1» no se pudieron leer y faltan en la página. Guardar no las recupera: para conservar el archivo tal como está, Scrivlo te pide un nombre nuevo al guardar.</translation>
    </message>
</context>
<context>
    <name>TRichEdit</name>
    <message>
        <source>Failed to Load Stream</source>
        <translation>No se pudo abrir el archivo</translation>
    </message>
    <message>
        <source>Failed to Save Stream</source>
        <translation>No se pudo guardar el archivo</translation>
    </message>
</context>
<context>
    <name>TSpeaker</name>
    <message>
        <source>No voice is installed: install the Debian packages qt6-speech-flite-plugin and flite to hear words read aloud.</source>
        <translation>No hay ninguna voz instalada: instala los paquetes de Debian qt6-speech-flite-plugin y flite para oír las palabras en voz alta.</translation>
    </message>
</context>
</TS>
