# SPDX-License-Identifier: Apache-2.0
"""A headless LibreOffice with a user profile of its own, driven over a UNO pipe."""

import os
import shutil
import subprocess
import sys
import time
import uuid

from xml.sax.saxutils import escape, quoteattr

import uno
from com.sun.star.beans import PropertyValue
from com.sun.star.connection import NoConnectException
from com.sun.star.lang import DisposedException

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "office"))
import office_documents  # noqa: E402

NOBODY = 65534

# The office proof's namespaces (the formulas' among them).
NAMESPACES = office_documents.NAMESPACES


def text_paragraph(text):
    # Every space as <text:s/>, so that none is collapsed.
    return "<text:p>%s</text:p>" % escape(text).replace(" ", "<text:s/>")


def value_cell(value):
    """A cell holding text, a number (float) or nothing (None)."""
    if value is None:
        return "<table:table-cell/>"
    if isinstance(value, float):
        return '<table:table-cell office:value-type="float" office:value="%r"/>' % value
    return '<table:table-cell office:value-type="string">%s</table:table-cell>' % text_paragraph(value)


def flat_spreadsheet(styles, name, content, fonts=()):
    """A Flat ODF spreadsheet of one sheet: A4 printed unscaled, 1 cm margins, no header or
    footer, an 18 cm column style "wide" (the widest barcode at 12 points, a DataBar Expanded
    Stacked of many segments in the 34X font, is 16.8 cm); `styles` are further automatic styles,
    `fonts` font families."""
    faces = "".join('<style:font-face style:name=%s svg:font-family=%s/>' % (quoteattr(f), quoteattr(f))
                    for f in fonts)
    return ('<?xml version="1.0" encoding="UTF-8"?>\n<office:document %s '
            'office:mimetype="application/vnd.oasis.opendocument.spreadsheet">'
            '<office:font-face-decls>%s</office:font-face-decls><office:automatic-styles>%s'
            '<style:style style:name="wide" style:family="table-column">'
            '<style:table-column-properties style:column-width="18cm"/></style:style>'
            '<style:style style:name="ta" style:family="table" style:master-page-name="Plain">'
            '<style:table-properties table:display="true"/></style:style>'
            '<style:page-layout style:name="pm"><style:page-layout-properties fo:page-width="21cm" '
            'fo:page-height="29.7cm" fo:margin="1cm" style:scale-to="100%%"/></style:page-layout></office:automatic-styles>'
            '<office:master-styles><style:master-page style:name="Plain" style:page-layout-name="pm">'
            '<style:header style:display="false"/><style:footer style:display="false"/></style:master-page>'
            '</office:master-styles><office:body><office:spreadsheet>'
            '<table:table table:name=%s table:style-name="ta">%s</table:table>'
            '</office:spreadsheet></office:body></office:document>\n'
            % (NAMESPACES, faces, styles, quoteattr(name), content))


def properties(**values):
    result = []
    for name, value in values.items():
        item = PropertyValue()
        item.Name, item.Value = name, value
        result.append(item)
    return tuple(result)


def install_extension(profile_dir, oxt):
    """unopkg add into a new user profile in `profile_dir`. unopkg refuses root without --shared,
    so root runs it as nobody, the way a user installs it: nobody must reach `profile_dir`."""
    os.makedirs(profile_dir, exist_ok=True)
    prefix = []
    if os.geteuid() == 0:
        os.chmod(profile_dir, 0o777)
        copy = os.path.join(profile_dir, os.path.basename(oxt))
        shutil.copyfile(oxt, copy)
        os.chmod(copy, 0o644)
        oxt = copy
        prefix = ["setpriv", "--reuid=%d" % NOBODY, "--regid=%d" % NOBODY, "--clear-groups"]
    env = dict(os.environ, HOME=profile_dir)
    subprocess.run(prefix + ["unopkg", "add", "-env:UserInstallation=" + profile_url(profile_dir), oxt],
                   check=True, env=env, stdout=subprocess.DEVNULL)


def fonts_environment(work_dir, font_dir):
    """The environment with a fontconfig configuration that adds the build's fonts."""
    conf = os.path.join(work_dir, "fonts.conf")
    with open(conf, "w", encoding="utf-8") as out:
        out.write('<?xml version="1.0"?><!DOCTYPE fontconfig SYSTEM "fonts.dtd"><fontconfig>'
                  '<include ignore_missing="yes">/etc/fonts/fonts.conf</include><dir>%s</dir>'
                  '<cachedir>%s</cachedir></fontconfig>\n'
                  % (os.path.abspath(font_dir), os.path.join(os.path.abspath(work_dir), "fontcache")))
    return dict(os.environ, FONTCONFIG_FILE=conf)


def profile_url(profile_dir):
    return uno.systemPathToFileUrl(os.path.join(os.path.abspath(profile_dir), "profile"))


class Office:
    """soffice --headless on a pipe of its own; stops it on exit."""

    def __init__(self, profile_dir, env=None, start_timeout=90):
        self.pipe = "strivane_calc_" + uuid.uuid4().hex
        self.process = subprocess.Popen(
            ["soffice", "--headless", "--invisible", "--norestore", "--nologo", "--nodefault",
             "-env:UserInstallation=" + profile_url(profile_dir),
             "--accept=pipe,name=%s;urp;StarOffice.ComponentContext" % self.pipe],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
            env=dict(env or os.environ, HOME=profile_dir))
        self.context = self._connect(start_timeout)
        self.desktop = self.create("com.sun.star.frame.Desktop")

    def _connect(self, timeout):
        local = uno.getComponentContext()
        resolver = local.ServiceManager.createInstanceWithContext("com.sun.star.bridge.UnoUrlResolver", local)
        deadline = time.monotonic() + timeout
        while True:
            try:
                return resolver.resolve("uno:pipe,name=%s;urp;StarOffice.ComponentContext" % self.pipe)
            except NoConnectException:
                if time.monotonic() > deadline or self.process.poll() is not None:
                    raise
                time.sleep(0.25)

    def create(self, service):
        return self.context.ServiceManager.createInstanceWithContext(service, self.context)

    def load(self, path):
        return self.desktop.loadComponentFromURL(uno.systemPathToFileUrl(os.path.abspath(path)), "_blank", 0,
                                                 properties(Hidden=True))

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        try:
            self.desktop.terminate()
        except DisposedException:
            pass
        try:
            self.process.wait(timeout=30)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()
