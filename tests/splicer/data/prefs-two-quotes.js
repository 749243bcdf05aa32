// User preferences

user_pref("custtoolbar.personal_toolbar_folder", "");
user_pref("editor.author", "Work");
