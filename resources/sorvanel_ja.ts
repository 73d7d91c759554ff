<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
<context>
    <name>Sorvanel</name>
    <message id="Localized.Drop_Old_Glyphs_App">
        <source>Drop Old Glyphs App</source>
        <translation>旧 Glyphs アプリをドロップ</translation>
    </message>
    <message id="Localized.Drop_New_Glyphs_App">
        <source>Drop New Glyphs App</source>
        <translation>新 Glyphs アプリをドロップ</translation>
    </message>
    <message id="Localized.Drop_Old_Glyphs_File">
        <source>Drop Old Glyphs File</source>
        <translation>旧 Glyphs ファイルをドロップ</translation>
    </message>
    <message id="Localized.kRepair">
        <source>Repair</source>
        <translation>修復</translation>
    </message>
    <message id="Localized.Not_a_Glyphs_app">
        <source>Not a Glyphs app.</source>
        <translation>Glyphs アプリではありません。</translation>
    </message>
    <message id="Localized.Not_a_Glyphs_file">
        <source>Not a Glyphs file.</source>
        <translation>Glyphs ファイルではありません。</translation>
    </message>
    <message id="Localized.Drop_the_old_Glyphs_app">
        <source>Drop the old Glyphs app.</source>
        <translation>旧 Glyphs アプリが必要です。</translation>
    </message>
    <message id="Localized.Drop_the_new_Glyphs_app">
        <source>Drop the new Glyphs app.</source>
        <translation>新 Glyphs アプリが必要です。</translation>
    </message>
    <message id="Localized.Drop_the_old_Glyphs_file">
        <source>Drop the old Glyphs file.</source>
        <translation>旧 Glyphs ファイルが必要です。</translation>
    </message>
    <message id="Localized.Both_apps_are_the_same_version">
        <source>Both apps are the same version.</source>
        <translation>2つのアプリは同じバージョンです。</translation>
    </message>
    <message id="Localized.Both_AJ1_Map_Files_are_the_same">
        <source>Both AJ1 Map Files are the same.</source>
        <translation>2つの AJ1 マップファイルは同じです。</translation>
    </message>
    <message id="Localized.The_Glyphs_file_is_empty">
        <source>The Glyphs file is empty.</source>
        <translation>Glyphs ファイルが空です。</translation>
    </message>
    <message id="Localized.The_repaired_file_could_not_be_saved">
        <source>The repaired file could not be saved.</source>
        <translation>修復したファイルを保存できませんでした。</translation>
    </message>
    <message id="Localized.The_repaired_file_was_saved_but_may_not_be_on_the_disk_yet">
        <source>The repaired file was saved, but it may not be on the disk yet.</source>
        <translation>修復したファイルは保存されましたが、まだディスクに書き込まれていない可能性があります。</translation>
    </message>
    <message id="Localized.The_repaired_file_was_saved_but_a_copy_of_its_old_text_is_left">
        <source>The repaired file was saved, but a copy of its old text is left beside it.</source>
        <translation>修復したファイルは保存されましたが、元のテキストのコピーがその横に残っています。</translation>
    </message>
    <message id="Localized.There_is_not_enough_memory_to_repair_this_file">
        <source>There is not enough memory to repair this file.</source>
        <translation>このファイルを修復するにはメモリが足りません。</translation>
    </message>
    <message id="FileReasons.It_is_not_a_regular_file">
        <source>it is not a regular file</source>
        <translation>通常のファイルではありません</translation>
    </message>
    <message id="FileReasons.Its_folder_is_not_writable_and_no_safe_overwrite">
        <source>its folder is not writable, and this file system cannot promise the room to overwrite the file safely</source>
        <translation>フォルダに書き込めず、このファイルシステムではファイルを安全に上書きする領域を確保できません</translation>
    </message>
    <message id="FileReasons.Another_file_took_its_place">
        <source>another file took its place while it was being saved</source>
        <translation>保存中に別のファイルがその場所に置かれました</translation>
    </message>
    <message id="FileReasons.It_is_too_large_for_memory">
        <source>it is too large for this computer's memory</source>
        <translation>このコンピュータのメモリには大きすぎます</translation>
    </message>
    <message id="FileReasons.Old_content_too_large_for_memory">
        <source>its folder is not writable, and its old content is too large for this computer's memory, where it would be kept while the file is overwritten</source>
        <translation>フォルダに書き込めず、上書きの間その元の内容を保持するにはこのコンピュータのメモリが足りません</translation>
    </message>
    <message id="FileReasons.No_free_hidden_name">
        <source>every hidden name tried for a new file in its folder was taken</source>
        <translation>フォルダ内で新しいファイルのために試した隠し名はすべて使われていました</translation>
    </message>
    <message id="FileReasons.Old_content_not_written_back">
        <source>%1, and its old content could not be written back: %2</source>
        <translation>%1。元の内容も書き戻せませんでした: %2</translation>
    </message>
    <message id="FileReasons.Temporary_file_not_removed">
        <source>the temporary file %1 could not be removed: %2</source>
        <translation>一時ファイル %1 を削除できませんでした: %2</translation>
    </message>
    <message id="FileReasons.Old_text_copy_not_removed">
        <source>the copy of its old text, %1, could not be removed: %2</source>
        <translation>元のテキストのコピー %1 を削除できませんでした: %2</translation>
    </message>
    <message id="FileReasons.Old_text_is_kept_in">
        <source>its old text is kept in %1</source>
        <translation>元のテキストは %1 に残っています</translation>
    </message>
    <message id="FileReasons.No_free_name_for_an_old_text_copy">
        <source>no copy of its old text could be made beside it: %1 and the names numbered after it are taken</source>
        <translation>元のテキストのコピーをその横に作れませんでした: %1 と番号付きの名前はすべて使われています</translation>
    </message>
    <message id="FileReasons.File_system_not_told">
        <source>its file system could not be asked what it can promise: %1</source>
        <translation>ファイルシステムに何を保証できるかを問い合わせられませんでした: %1</translation>
    </message>
    <message id="RegExVesk.kAlert_Metacharacters">
        <source>Metacharacters ^ $ \b cannot be used alone.</source>
        <translation>メタ文字 ^ $ \b は単独では使えません。</translation>
    </message>
    <message id="LocalizedMenu.kFile">
        <source>File</source>
        <translation>ファイル</translation>
    </message>
    <message id="LocalizedMenu.kFileClose">
        <source>Close</source>
        <translation>閉じる</translation>
    </message>
    <message id="LocalizedMenu.kEdit">
        <source>Edit</source>
        <translation>編集</translation>
    </message>
    <message id="LocalizedMenu.kCut">
        <source>Cut</source>
        <translation>カット</translation>
    </message>
    <message id="LocalizedMenu.kCopy">
        <source>Copy</source>
        <translation>コピー</translation>
    </message>
    <message id="LocalizedMenu.kPaste">
        <source>Paste</source>
        <translation>ペースト</translation>
    </message>
    <message id="LocalizedMenu.kDelete">
        <source>Delete</source>
        <translation>削除</translation>
    </message>
    <message id="LocalizedMenu.kSelectAll">
        <source>Select All</source>
        <translation>すべてを選択</translation>
    </message>
    <message id="LocalizedMenu.kWindow">
        <source>Window</source>
        <translation>ウインドウ</translation>
    </message>
    <message id="LocalizedMenu.kMinimize">
        <source>Minimize</source>
        <translation>しまう</translation>
    </message>
    <message id="LocalizedMenu.kZoom">
        <source>Zoom</source>
        <translation>拡大/縮小</translation>
    </message>
    <message id="LocalizedMenu.kBringAllToFront">
        <source>Bring All to Front</source>
        <translation>すべてを手前に移動</translation>
    </message>
    <message id="LocalizedMenu.kHelp">
        <source>Help</source>
        <translation>ヘルプ</translation>
    </message>
    <message id="LocalizedMenu.kLang">
        <source>en</source>
        <translation>ja</translation>
    </message>
</context>
</TS>
