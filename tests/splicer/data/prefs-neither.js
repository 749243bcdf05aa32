// User preferences

user_pref("browser.startup.homepage", "http://www.example.com/");
